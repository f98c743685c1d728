#include "mouse.h"

#include "placed_gauge.h"

#include <cstdint>
#include <vector>

namespace host {

namespace {

constexpr int MAX_MOUSE_RECORDS = 4096;

int scale_down(int value, int bitmap, int placed) {
    if (bitmap <= 0 || placed <= 0) return value;
    int64_t scaled = static_cast<int64_t>(value) * bitmap;
    // Floor division, so that a point just left of a box edge stays outside it.
    int64_t q = scaled / placed;
    if (scaled % placed != 0 && scaled < 0) --q;
    return static_cast<int>(q);
}

} // namespace

const MouseRect* find_mouse_child(const MouseRect* list, int bitmap_x, int bitmap_y, uint32_t flags,
                                  PixPoint& relative) {
    if (list == nullptr) return nullptr;
    std::vector<PixPoint> parents;
    PixPoint origin{0, 0};
    const MouseRect* found = nullptr;
    for (int i = 0; i < MAX_MOUSE_RECORDS && list[i].kind != MOUSE_RECT_EOL; ++i) {
        const MouseRect& r = list[i];
        switch (r.kind) {
        case MOUSE_RECT_PARENT:
            parents.push_back(origin);
            origin = {origin.x + r.x, origin.y + r.y};
            break;
        case MOUSE_RECT_END_PARENT:
            if (!parents.empty()) {
                origin = parents.back();
                parents.pop_back();
            }
            break;
        case MOUSE_RECT_CHILD: {
            int left = origin.x + r.x;
            int top = origin.y + r.y;
            bool inside =
                bitmap_x >= left && bitmap_x < left + r.w && bitmap_y >= top && bitmap_y < top + r.h;
            if (inside && (r.mouse_flags & flags) != 0 && r.handler != nullptr) {
                relative = {bitmap_x - left, bitmap_y - top};
                found = &r;
            }
            break;
        }
        default:
            break;
        }
    }
    return found;
}

void placed_to_bitmap(const PlacedGauge& gauge, int x, int y, int& bitmap_x, int& bitmap_y) {
    bitmap_x = scale_down(x, gauge.bitmap_width, gauge.width);
    bitmap_y = scale_down(y, gauge.bitmap_height, gauge.height);
}

ClickResult click_gauge(const PlacedGauge& gauge, int x, int y, uint32_t flags) {
    int bx = 0;
    int by = 0;
    placed_to_bitmap(gauge, x, y, bx, by);
    return click_bitmap(gauge, bx, by, flags);
}

ClickResult click_bitmap(const PlacedGauge& gauge, int bitmap_x, int bitmap_y, uint32_t flags) {
    ClickResult click;
    PixPoint relative{};
    const MouseRect* rect = find_mouse_child(gauge.header.mouse_rect, bitmap_x, bitmap_y, flags, relative);
    if (rect == nullptr) return click;
    click.hit = true;
    click.rect = rect;
    click.point = relative;
    click.result = rect->handler(&click.point, flags);
    return click;
}

} // namespace host
