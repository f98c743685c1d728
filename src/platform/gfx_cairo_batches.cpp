// Drawing a context's calls: strokes of one pen gathered into batches, each
// stroked once, where that changes no pixel.
#include "platform/gfx_cairo_context.h"

#include <algorithm>
#include <cmath>

namespace gfx::detail {

namespace {

// Where a piece may paint, and a pixel round it.
void piece_bounds(const StrokePiece& p, double& x0, double& y0, double& x1, double& y1) {
    const double r = p.reach + 1.5;
    x0 = std::min(x0, std::min(p.a.x, p.b.x) - r);
    y0 = std::min(y0, std::min(p.a.y, p.b.y) - r);
    x1 = std::max(x1, std::max(p.a.x, p.b.x) + r);
    y1 = std::max(y1, std::max(p.a.y, p.b.y) + r);
}

CallGroup& new_group(CairoContext* c) {
    if (c->group_count == c->groups.size()) c->groups.emplace_back();
    CallGroup& g = c->groups[c->group_count++];
    g.batch = false;
    g.everywhere = false;
    g.pieces.clear();
    g.device.clear();
    g.types.clear();
    g.x0 = g.y0 = HUGE_VAL;
    g.x1 = g.y1 = -HUGE_VAL;
    return g;
}

// Whether what the pieces (within the bounds) paint may share a pixel with
// what the group paints.
bool touches(const CallGroup& g, std::span<const StrokePiece> pieces, double x0, double y0, double x1,
             double y1) {
    if (g.everywhere) return true;
    if (x1 <= g.x0 || g.x1 <= x0 || y1 <= g.y0 || g.y1 <= y0) return false;
    return pieces_touch(pieces, g.pieces);
}

// A stroke of an opaque plain pen joins the latest group of the same pen
// that nothing drawn since overlaps, when it paints no pixel of that group
// (where strokes of one pen cross, one stroke of both would lay the smoothed
// edge once instead of twice). Drawn there, it lands earlier than calls it
// shares no pixel with, which changes nothing. False when the stroke is not
// of such a pen.
bool join_batch(CairoContext* c, const ScriptCall& call) {
    const Pen& pen = call.pen;
    const bool plain = pen.start_cap == LineCap::Flat && pen.end_cap == LineCap::Flat &&
                       !pen.custom_start_cap && !pen.custom_end_cap;
    if (!g_batching || !plain || (pen.color >> 24) != 0xFF || call.points.empty() ||
        !matrix_invertible(call.state.world))
        return false;
    const cairo_matrix_t m = device_matrix(call.state);
    if (!device_points(call.points, m, c->device)) return false;
    const double width = device_pen_width(pen, call.state.world);
    const StrokeKey key{pen.color,
                        width,
                        pen.dash_style,
                        antialiased(call.state.smoothing),
                        rectilinear(c->device, call.types),
                        m.xx,
                        m.yx,
                        m.xy,
                        m.yy};
    const double scale = std::sqrt(std::fabs(m.xx * m.yy - m.xy * m.yx));
    stroke_pieces(c->device, call.types, width * scale, c->pieces);
    double x0 = HUGE_VAL, y0 = HUGE_VAL, x1 = -HUGE_VAL, y1 = -HUGE_VAL;
    for (const StrokePiece& p : c->pieces)
        piece_bounds(p, x0, y0, x1, y1);

    constexpr std::size_t kLookBack = 64, kPieces = 256;
    CallGroup* target = nullptr;
    for (std::size_t i = c->group_count; i-- > 0 && c->group_count - i <= kLookBack;) {
        CallGroup& g = c->groups[i];
        if (touches(g, c->pieces, x0, y0, x1, y1)) break;
        if (g.batch && g.key == key && g.pieces.size() + c->pieces.size() <= kPieces) {
            target = &g;
            break;
        }
    }
    if (!target) {
        target = &new_group(c);
        target->batch = true;
        target->key = key;
        target->matrix = m;
    }
    target->pieces.insert(target->pieces.end(), c->pieces.begin(), c->pieces.end());
    target->device.insert(target->device.end(), c->device.begin(), c->device.end());
    target->types.insert(target->types.end(), call.types.begin(), call.types.end());
    target->x0 = std::min(target->x0, x0);
    target->y0 = std::min(target->y0, y0);
    target->x1 = std::max(target->x1, x1);
    target->y1 = std::max(target->y1, y1);
    return true;
}

// Where a fill or a text may paint, as a box; false when it cannot be told.
bool call_box(CairoContext* c, const ScriptCall& call, StrokePiece& box) {
    const cairo_matrix_t m = device_matrix(call.state);
    c->points.clear();
    if (call.kind == Call::Fill) {
        c->points.assign(call.points.begin(), call.points.end());
    } else {
        // Ink reaches about an em round a line's advance.
        const float em = std::fabs(call.text.em);
        for (const TextLine& line : call.text.lines) {
            const float left = line.x - em, right = line.x + std::fabs(line.width) + em;
            const float top = line.baseline - 2 * em, bottom = line.baseline + em;
            c->points.insert(c->points.end(), {{left, top}, {right, top}, {right, bottom}, {left, bottom}});
        }
    }
    if (c->points.empty() || !device_points(c->points, m, c->device)) return false;
    box = StrokePiece{c->device[0], c->device[0], true, 1.0};
    for (const DPoint& d : c->device) {
        box.a = DPoint{std::min(box.a.x, d.x), std::min(box.a.y, d.y)};
        box.b = DPoint{std::max(box.b.x, d.x), std::max(box.b.y, d.y)};
    }
    return true;
}

void add_single(CairoContext* c, const ScriptCall& call, std::size_t at) {
    StrokePiece box;
    const bool known = call.kind != Call::Stroke && call_box(c, call, box);
    CallGroup& g = new_group(c);
    g.at = at;
    g.everywhere = !known;
    if (known) {
        g.pieces.push_back(box);
        piece_bounds(box, g.x0, g.y0, g.x1, g.y1);
    }
}

// Draws the groups gathered, in order.
void draw_groups(CairoContext* c) {
    cairo_t* cr = c->cr;
    for (std::size_t i = 0; i < c->group_count; ++i) {
        const CallGroup& g = c->groups[i];
        if (g.batch) {
            const StrokeKey& k = g.key;
            // Before the batch's path: setting a clip replaces the path.
            ensure_clip(c, smoothed_curve(k.antialias, k.rectilinear, g.matrix));
            cairo_identity_matrix(cr);
            cairo_new_path(cr);
            append_cairo_path(cr, g.device, g.types);
            set_antialias(cr, k.antialias);
            set_color(c, k.color);
            set_line(c, k.width, k.dash);
            cairo_set_matrix(cr, &g.matrix);
            cairo_stroke(cr);
            continue;
        }
        ScriptReader reader(c->script);
        reader.seek(g.at);
        ScriptCall& call = c->single;
        reader.next(call);
        if (call.kind == Call::Stroke)
            stroke_alone(c, call.points, call.types, call.pen, call.state);
        else if (call.kind == Call::Fill)
            fill_path(c, call.points, call.types, call.mode, call.color, call.state);
        else
            run_text(c, call.text, call.face, call.style, call.color, call.state);
    }
    c->group_count = 0;
}

} // namespace

void draw_script(CairoContext* c) {
    ScriptReader reader(c->script);
    ScriptCall& call = c->call;
    for (std::size_t at = reader.offset(); reader.next(call); at = reader.offset()) {
        switch (call.kind) {
        case Call::Clear:
            draw_groups(c);
            run_clear(c, call.color);
            break;
        case Call::Clip:
            draw_groups(c);
            run_clip(c, &call);
            break;
        case Call::ResetClip:
            draw_groups(c);
            run_clip(c, nullptr);
            break;
        case Call::Stroke:
            if (!join_batch(c, call)) add_single(c, call, at);
            break;
        case Call::Fill:
        case Call::Text:
            add_single(c, call, at);
            break;
        }
    }
    draw_groups(c);
}

} // namespace gfx::detail
