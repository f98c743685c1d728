// Drawing a context's calls: strokes of one pen gathered into batches, each
// drawn at once, where that changes no pixel.
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
    double x0, y0, x1, y1;
    stroke_box(c, call.types, width, m, x0, y0, x1, y1);

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

// Cairo's fixed-point coordinates (24.8), rounded as Cairo rounds.
int64_t fixed(double v) {
    return static_cast<int64_t>(std::nearbyint(v * 256.0));
}

double normalize(double& dx, double& dy) {
    const double mag = std::hypot(dx, dy);
    dx /= mag;
    dy /= mag;
    return mag;
}

// A straight line of a smoothed solid pen with flat ends, outlined as Cairo's
// stroker outlines it (the half-pen across the line, turned in user space,
// both ends in fixed point), onto the Cairo path: filling the outlines of
// lines that share no pixel paints what stroking them does, at about half
// the cost.
void outline_line(cairo_t* cr, const DPoint& a, const DPoint& b, double half_width, const cairo_matrix_t& m,
                  const cairo_matrix_t& inverse, bool identity, bool det_positive) {
    const int64_t ax = fixed(a.x), ay = fixed(a.y), bx = fixed(b.x), by = fixed(b.y);
    if (ax == bx && ay == by) return; // no length: flat ends draw nothing
    double dx = (bx - ax) / 256.0, dy = (by - ay) / 256.0;
    normalize(dx, dy);
    double fx, fy;
    if (!identity) {
        cairo_matrix_transform_distance(&inverse, &dx, &dy);
        normalize(dx, dy);
        fx = det_positive ? -dy * half_width : dy * half_width;
        fy = det_positive ? dx * half_width : -dx * half_width;
        cairo_matrix_transform_distance(&m, &fx, &fy);
    } else {
        fx = -dy * half_width;
        fy = dx * half_width;
    }
    const int64_t ox = fixed(fx), oy = fixed(fy);
    auto at = [](int64_t x, int64_t y) { return DPoint{x / 256.0, y / 256.0}; };
    const DPoint quad[4] = {at(ax + ox, ay + oy), at(bx + ox, by + oy), at(bx - ox, by - oy),
                            at(ax - ox, ay - oy)};
    cairo_move_to(cr, quad[0].x, quad[0].y);
    for (int i = 1; i < 4; ++i)
        cairo_line_to(cr, quad[i].x, quad[i].y);
    cairo_close_path(cr);
}

// Draws a batch: lines of two points of a smoothed solid pen as outlines
// filled, the rest stroked.
void draw_batch(CairoContext* c, const CallGroup& g) {
    cairo_t* cr = c->cr;
    const StrokeKey& k = g.key;
    // Before the batch's path: setting a clip replaces the path.
    ensure_clip(c, smoothed_curve(k.antialias, k.rectilinear, g.matrix));
    set_antialias(cr, k.antialias);
    set_color(c, k.color);
    cairo_identity_matrix(cr);
    cairo_new_path(cr);
    const bool outline = k.antialias && !k.rectilinear && k.dash == DashStyle::Solid;
    std::size_t rest = 0, lines = 0; // points of the figures left to stroke, lines outlined
    if (outline) {
        cairo_matrix_t inverse = g.matrix;
        cairo_matrix_invert(&inverse);
        const bool identity = g.matrix.xx == 1.0 && g.matrix.yx == 0.0 && g.matrix.xy == 0.0 &&
                              g.matrix.yy == 1.0 && g.matrix.x0 == 0.0 && g.matrix.y0 == 0.0;
        const bool det_positive = g.matrix.xx * g.matrix.yy - g.matrix.yx * g.matrix.xy >= 0.0;
        for (std::size_t i = 0; i < g.types.size();) {
            std::size_t end = i + 1;
            while (end < g.types.size() && (g.types[end] & PathPointTypeMask) != PathPointTypeStart)
                ++end;
            const bool line = end - i == 2 && (g.types[i + 1] & PathPointTypeMask) == PathPointTypeLine &&
                              !(g.types[i + 1] & PathPointTypeCloseSubpath);
            lines += line;
            if (line)
                outline_line(cr, g.device[i], g.device[i + 1], k.width / 2.0, g.matrix, inverse, identity,
                             det_positive);
            else
                rest += end - i;
            i = end;
        }
        if (lines > 0) {
            cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
            cairo_fill(cr);
        }
        if (rest == 0) return;
    }
    for (std::size_t i = 0; i < g.types.size();) {
        std::size_t end = i + 1;
        while (end < g.types.size() && (g.types[end] & PathPointTypeMask) != PathPointTypeStart)
            ++end;
        const bool line = outline && end - i == 2 &&
                          (g.types[i + 1] & PathPointTypeMask) == PathPointTypeLine &&
                          !(g.types[i + 1] & PathPointTypeCloseSubpath);
        if (!line)
            append_cairo_path(cr, std::span(g.device).subspan(i, end - i),
                              std::span(g.types).subspan(i, end - i));
        i = end;
    }
    set_line(c, k.width, k.dash);
    cairo_set_matrix(cr, &g.matrix);
    cairo_stroke(cr);
}

// Clears the image as a clear call left waiting.
void run_waiting_clear(CairoContext* c) {
    if (!c->clear_waiting) return;
    c->clear_waiting = false;
    run_clear(c, c->clear_color);
}

// Draws the groups gathered, in order. A clear left waiting goes with the
// first group when that group is laid from its coverage (one pass over the
// image instead of two), else before it.
void draw_groups(CairoContext* c) {
    for (std::size_t i = 0; i < c->group_count; ++i) {
        const CallGroup& g = c->groups[i];
        const ScriptCall* single = nullptr;
        std::span<const uint8_t> bytes;
        if (!g.batch) {
            ScriptReader reader(c->script);
            reader.seek(g.at);
            reader.next(c->single);
            single = &c->single;
            bytes = std::span(c->script.bytes).subspan(g.at, reader.offset() - g.at);
        }
        if (draw_from_cover(c, g, single, bytes)) continue;
        run_waiting_clear(c);
        draw_group(c, g, single);
    }
    c->group_count = 0;
}

} // namespace

void stroke_box(CairoContext* c, std::span<const uint8_t> types, double width, const cairo_matrix_t& m,
                double& x0, double& y0, double& x1, double& y1) {
    const double scale = std::sqrt(std::fabs(m.xx * m.yy - m.xy * m.yx));
    stroke_pieces(c->device, types, width * scale, c->pieces);
    x0 = y0 = HUGE_VAL;
    x1 = y1 = -HUGE_VAL;
    for (const StrokePiece& p : c->pieces)
        piece_bounds(p, x0, y0, x1, y1);
}

void draw_group(CairoContext* c, const CallGroup& g, const ScriptCall* single) {
    if (g.batch)
        draw_batch(c, g);
    else if (single->kind == Call::Stroke)
        stroke_alone(c, single->points, single->types, single->pen, single->state);
    else if (single->kind == Call::Fill)
        fill_path(c, single->points, single->types, single->mode, single->color, single->state);
    else
        run_text(c, single->text, single->face, single->style, single->color, single->state);
}

void draw_script(CairoContext* c) {
    ScriptReader reader(c->script);
    ScriptCall& call = c->call;
    for (std::size_t at = reader.offset(); reader.next(call); at = reader.offset()) {
        switch (call.kind) {
        case Call::Clear:
            draw_groups(c);
            // Over the whole image, a clear waits for what comes next.
            if (c->clip_form == ClipForm::None && g_covering) {
                c->clear_waiting = true;
                c->clear_color = call.color;
            } else {
                run_waiting_clear(c);
                run_clear(c, call.color);
            }
            break;
        case Call::Clip:
            draw_groups(c);
            run_waiting_clear(c);
            run_clip(c, &call);
            break;
        case Call::ResetClip:
            draw_groups(c);
            run_waiting_clear(c);
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
    run_waiting_clear(c);
}

} // namespace gfx::detail
