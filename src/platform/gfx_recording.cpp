// Queries over a recording, for tests that ask what was drawn.
#include "platform/gfx_recording.h"

#include <cmath>

namespace gfx {

bool RecordedOp::is_drawing() const {
    return kind != OpKind::SetClip && kind != OpKind::ResetClip && kind != OpKind::Setting;
}

std::vector<std::string> Recording::texts() const {
    std::vector<std::string> out;
    for (const RecordedOp& op : ops)
        if (op.kind == OpKind::String) out.push_back(op.text);
    return out;
}

const RecordedOp* Recording::find_text(std::string_view utf8) const {
    for (const RecordedOp& op : ops)
        if (op.kind == OpKind::String && op.text == utf8) return &op;
    return nullptr;
}

const RecordedOp* Recording::text_near(float x, float y, float tolerance) const {
    for (const RecordedOp& op : ops) {
        if (op.kind != OpKind::String || op.points.empty()) continue;
        if (std::fabs(op.points[0].x - x) <= tolerance && std::fabs(op.points[0].y - y) <= tolerance)
            return &op;
    }
    return nullptr;
}

std::vector<const RecordedOp*> Recording::lines_in_color(Argb color) const {
    std::vector<const RecordedOp*> out;
    for (const RecordedOp& op : ops)
        if ((op.kind == OpKind::Line || op.kind == OpKind::Lines) && !op.fill && op.color == color)
            out.push_back(&op);
    return out;
}

std::vector<const RecordedOp*> Recording::fills_in_color(Argb color) const {
    std::vector<const RecordedOp*> out;
    for (const RecordedOp& op : ops)
        if (op.fill && op.kind != OpKind::String && op.color == color) out.push_back(&op);
    return out;
}

std::vector<const RecordedOp*> Recording::of_kind(OpKind kind) const {
    std::vector<const RecordedOp*> out;
    for (const RecordedOp& op : ops)
        if (op.kind == kind) out.push_back(&op);
    return out;
}

void Recording::clear() {
    for (RecordedOp& op : ops)
        if (op.points.capacity() > 0) spare_points_.push_back(std::move(op.points));
    ops.clear();
}

std::vector<PointF> Recording::take_points() {
    if (spare_points_.empty()) return {};
    std::vector<PointF> points = std::move(spare_points_.back());
    spare_points_.pop_back();
    points.clear();
    return points;
}

std::size_t Recording::drawing_count() const {
    std::size_t n = 0;
    for (const RecordedOp& op : ops)
        if (op.is_drawing()) ++n;
    return n;
}

} // namespace gfx
