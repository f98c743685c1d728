// Drawing calls as bytes: each value stored as its bytes, so that two
// scripts are the same calls exactly when their bytes are equal.
#include "platform/gfx_cairo_script.h"

#include <cstring>
#include <type_traits>

namespace gfx::detail {

namespace {

template <class T> void put(CallScript& s, const T& v) {
    static_assert((std::is_trivially_copyable_v<T> && std::has_unique_object_representations_v<T>) ||
                  std::is_floating_point_v<T>);
    const auto* p = reinterpret_cast<const uint8_t*>(&v);
    s.bytes.insert(s.bytes.end(), p, p + sizeof v);
}

void put_bytes(CallScript& s, const void* data, std::size_t n) {
    put(s, static_cast<uint32_t>(n));
    const auto* p = static_cast<const uint8_t*>(data);
    s.bytes.insert(s.bytes.end(), p, p + n);
}

void put_state(CallScript& s, const DrawState& d) {
    for (float v : {d.world.m11, d.world.m12, d.world.m21, d.world.m22, d.world.dx, d.world.dy})
        put(s, v);
    put(s, d.smoothing);
    put(s, d.text_hint);
    put(s, d.pixel_offset);
}

void put_geometry(CallScript& s, std::span<const PointF> pts, std::span<const uint8_t> types) {
    put(s, static_cast<uint32_t>(pts.size()));
    for (const PointF& p : pts) {
        put(s, p.x);
        put(s, p.y);
    }
    s.bytes.insert(s.bytes.end(), types.begin(), types.begin() + pts.size());
}

void put_arrow(CallScript& s, const std::optional<AdjustableArrowCap>& cap) {
    put(s, static_cast<uint8_t>(cap.has_value()));
    if (!cap) return;
    put(s, cap->width);
    put(s, cap->height);
    put(s, static_cast<uint8_t>(cap->filled));
}

} // namespace

bool CallScript::opens_with_clear() const {
    return !bytes.empty() && bytes[0] == static_cast<uint8_t>(Call::Clear);
}

void write_clear(CallScript& s, Argb color) {
    put(s, Call::Clear);
    put(s, color);
}

void write_clip(CallScript& s, const GraphicsPath* path, const DrawState& state) {
    if (!path) {
        put(s, Call::ResetClip);
        return;
    }
    put(s, Call::Clip);
    put_state(s, state);
    put(s, path->fill_mode());
    put_geometry(s, path->points(), path->types());
}

void write_stroke(CallScript& s, std::span<const PointF> pts, std::span<const uint8_t> types, const Pen& pen,
                  const DrawState& state) {
    put(s, Call::Stroke);
    put(s, pen.color);
    put(s, pen.width);
    put(s, pen.dash_style);
    put(s, pen.start_cap);
    put(s, pen.end_cap);
    put_arrow(s, pen.custom_start_cap);
    put_arrow(s, pen.custom_end_cap);
    put_state(s, state);
    put_geometry(s, pts, types);
}

void write_fill(CallScript& s, std::span<const PointF> pts, std::span<const uint8_t> types, FillMode mode,
                Argb color, const DrawState& state) {
    put(s, Call::Fill);
    put(s, color);
    put(s, mode);
    put_state(s, state);
    put_geometry(s, pts, types);
}

void write_text(CallScript& s, const TextLayout& layout, const Font& font, Argb color,
                const DrawState& state) {
    put(s, Call::Text);
    put(s, color);
    put_bytes(s, font.face.data(), font.face.size());
    put(s, font.style);
    put(s, layout.em);
    put(s, static_cast<uint8_t>(layout.clipped));
    for (float v : {layout.clip_rect.x, layout.clip_rect.y, layout.clip_rect.width, layout.clip_rect.height})
        put(s, v);
    put_state(s, state);
    put(s, static_cast<uint32_t>(layout.lines.size()));
    for (const TextLine& line : layout.lines) {
        put(s, line.x);
        put(s, line.baseline);
        put(s, line.width);
        put_bytes(s, line.utf8.data(), line.utf8.size());
    }
}

bool ScriptReader::next(ScriptCall& c) {
    if (at_ >= bytes_.size()) return false;
    auto state = [&] {
        DrawState d;
        d.world.m11 = get<float>();
        d.world.m12 = get<float>();
        d.world.m21 = get<float>();
        d.world.m22 = get<float>();
        d.world.dx = get<float>();
        d.world.dy = get<float>();
        d.smoothing = get<SmoothingMode>();
        d.text_hint = get<TextRenderingHint>();
        d.pixel_offset = get<PixelOffsetMode>();
        return d;
    };
    auto geometry = [&] {
        const auto n = get<uint32_t>();
        c.points.resize(n);
        get_bytes(c.points.data(), n * sizeof(PointF));
        c.types.resize(n);
        get_bytes(c.types.data(), n);
    };
    auto arrow = [&]() -> std::optional<AdjustableArrowCap> {
        if (get<uint8_t>() == 0) return std::nullopt;
        AdjustableArrowCap cap;
        cap.width = get<float>();
        cap.height = get<float>();
        cap.filled = get<uint8_t>() != 0;
        return cap;
    };
    auto string = [&](std::string& out) {
        out.resize(get<uint32_t>());
        get_bytes(out.data(), out.size());
    };
    c.kind = get<Call>();
    switch (c.kind) {
    case Call::Clear:
        c.color = get<Argb>();
        break;
    case Call::ResetClip:
        break;
    case Call::Clip:
        c.state = state();
        c.mode = get<FillMode>();
        geometry();
        break;
    case Call::Stroke:
        c.pen.color = get<Argb>();
        c.pen.width = get<float>();
        c.pen.dash_style = get<DashStyle>();
        c.pen.start_cap = get<LineCap>();
        c.pen.end_cap = get<LineCap>();
        c.pen.custom_start_cap = arrow();
        c.pen.custom_end_cap = arrow();
        c.state = state();
        geometry();
        break;
    case Call::Fill:
        c.color = get<Argb>();
        c.mode = get<FillMode>();
        c.state = state();
        geometry();
        break;
    case Call::Text: {
        c.color = get<Argb>();
        string(c.face);
        c.style = get<FontStyle>();
        TextLayout& t = c.text;
        t.em = get<float>();
        t.clipped = get<uint8_t>() != 0;
        t.clip_rect.x = get<float>();
        t.clip_rect.y = get<float>();
        t.clip_rect.width = get<float>();
        t.clip_rect.height = get<float>();
        c.state = state();
        t.lines.resize(get<uint32_t>());
        for (TextLine& line : t.lines) {
            line.x = get<float>();
            line.baseline = get<float>();
            line.width = get<float>();
            string(line.utf8);
        }
        break;
    }
    }
    return true;
}

} // namespace gfx::detail
