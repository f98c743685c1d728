// Drawing a context's calls in the order made, each by Cairo or from the
// coverage kept of it.
#include "platform/gfx_cairo_context.h"

#include <algorithm>
#include <cmath>

namespace gfx::detail {

void stroke_bounds(std::span<const DPoint> d, std::span<const uint8_t> types, double width,
                   const cairo_matrix_t& m, double box[4]) {
    // The pen's largest stretch under the matrix: its half-width reaches
    // that far from the path in some direction, whatever the others do.
    const double sum = m.xx * m.xx + m.yx * m.yx + m.xy * m.xy + m.yy * m.yy;
    const double det = m.xx * m.yy - m.xy * m.yx;
    const double stretch = std::sqrt((sum + std::sqrt(std::max(0.0, sum * sum - 4.0 * det * det))) / 2.0);
    // Where a figure turns, a miter reaches up to five pen widths (the
    // miter limit of 10) past its corner.
    bool turns = false;
    std::size_t start = 0;
    for (std::size_t i = 0; i < types.size(); ++i) {
        const uint8_t t = types[i] & PathPointTypeMask;
        if (t == PathPointTypeStart) start = i;
        turns = turns || t == PathPointTypeBezier || (types[i] & PathPointTypeCloseSubpath) || i - start >= 2;
    }
    const double reach = (turns ? 5.0 : 0.5) * width * stretch + 1.5;
    box[0] = box[1] = HUGE_VAL;
    box[2] = box[3] = -HUGE_VAL;
    for (const DPoint& p : d) {
        box[0] = std::min(box[0], p.x - reach);
        box[1] = std::min(box[1], p.y - reach);
        box[2] = std::max(box[2], p.x + reach);
        box[3] = std::max(box[3], p.y + reach);
    }
}

void draw_call(CairoContext* c, const ScriptCall& call) {
    if (call.kind == Call::Stroke)
        stroke_alone(c, call.points, call.types, call.pen, call.state);
    else if (call.kind == Call::Fill)
        fill_path(c, call.points, call.types, call.mode, call.color, call.state);
    else
        run_text(c, call.text, call.face, call.style, call.color, call.state);
}

void draw_script(CairoContext* c) {
    ScriptReader reader(c->script);
    ScriptCall& call = c->call;
    for (std::size_t at = reader.offset(); reader.next(call); at = reader.offset()) {
        switch (call.kind) {
        case Call::Clear:
            run_clear(c, call.color);
            break;
        case Call::Clip:
            run_clip(c, &call);
            break;
        case Call::ResetClip:
            run_clip(c, nullptr);
            break;
        case Call::Stroke:
        case Call::Fill:
        case Call::Text:
            if (!draw_from_cover(c, call, std::span(c->script.bytes).subspan(at, reader.offset() - at)))
                draw_call(c, call);
            break;
        }
    }
}

} // namespace gfx::detail
