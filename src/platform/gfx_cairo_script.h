// Inside the Cairo backend: the drawing calls of one Graphics kept as bytes
// (every value a call draws with: geometry, pen, colour, transform, modes,
// text and font), so that they can be drawn later and a session compared
// exactly with the one drawn before it. Only gfx_cairo*.cpp include it.
#pragma once

#include "platform/gfx_detail.h"

#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <vector>

namespace gfx::detail {

enum class Call : uint8_t { Clear, Clip, ResetClip, Stroke, Fill, Text };

// The calls of a session in the order made.
struct CallScript {
    std::vector<uint8_t> bytes;
    // Whether the first call is a clear with no clip set before it: then
    // what the session draws does not depend on what the surface held.
    bool opens_with_clear() const;
};

void write_clear(CallScript& s, Argb color);
// A null path removes the clip.
void write_clip(CallScript& s, const GraphicsPath* path, const DrawState& state);
void write_stroke(CallScript& s, std::span<const PointF> pts, std::span<const uint8_t> types, const Pen& pen,
                  const DrawState& state);
void write_fill(CallScript& s, std::span<const PointF> pts, std::span<const uint8_t> types, FillMode mode,
                Argb color, const DrawState& state);
void write_text(CallScript& s, const TextLayout& layout, const Font& font, Argb color,
                const DrawState& state);

// One call read back. The buffers are the reader's and reused from call to
// call.
struct ScriptCall {
    Call kind = Call::Clear;
    Argb color = 0;
    Pen pen{0};
    DrawState state;
    FillMode mode = FillMode::Alternate;
    std::vector<PointF> points;
    std::vector<uint8_t> types;
    TextLayout text;
    std::string face;
    FontStyle style = FontStyle::Regular;
};

class ScriptReader {
  public:
    explicit ScriptReader(const CallScript& s) : bytes_(s.bytes) {}
    // The next call into `call`; false at the end.
    bool next(ScriptCall& call);
    std::size_t offset() const { return at_; }
    void seek(std::size_t offset) { at_ = offset; }

  private:
    template <class T> T get() {
        T v;
        get_bytes(&v, sizeof v);
        return v;
    }
    void get_bytes(void* out, std::size_t n) {
        std::memcpy(out, bytes_.data() + at_, n);
        at_ += n;
    }

    std::span<const uint8_t> bytes_;
    std::size_t at_ = 0;
};

} // namespace gfx::detail
