// Coverage kept of drawing calls that repeat from one session to the next.
// A display draws most of a frame as it drew the last one (scales, frames,
// symbols, labels): the coverage of such a call, rasterised by Cairo once on
// a scratch mask under the same clip, is laid on the image again with the
// arithmetic Cairo composites that kind of call with, so the pixels are the
// ones Cairo would paint. Only calls of one colour laid down in one go are
// kept; a call is kept the second time it is drawn, so what changes every
// frame costs no more than a hash.
#include "platform/gfx_cairo_context.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <iterator>
#include <string_view>
#include <unordered_map>

namespace gfx::detail {

namespace {

// Coverage of one row from x on, `length` pixels, at `at` in the bytes;
// `full`: every pixel fully covered.
struct Run {
    uint16_t x, y, length;
    bool full;
    uint32_t at;
};

// How Cairo lays a call: an opaque shape blends its colour in by coverage;
// other shapes go OVER through their coverage. Text is kept as the pixels
// it paints on a clear image and laid OVER: where antialiased glyphs of one
// line share a pixel, Cairo lays them one after the other, which a
// coverage laid once would round apart from.
enum class Lay : uint8_t { Blend, Over, Pixels };

struct Cover {
    std::vector<uint8_t> key;
    Lay lay = Lay::Blend;
    uint32_t pixel = 0; // the colour premultiplied, as Cairo composites it
    std::vector<Run> runs;
    std::vector<uint8_t> data; // coverage bytes, or premultiplied pixels (Lay::Pixels)
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0; // the pixels the runs span
    uint32_t used = 0;                  // session last laid
    bool refused = false;               // drawn by Cairo: its paint reached past where it was looked for
};

// Sessions a cover is kept unused (it is let go after between one and two
// times as many); bytes of covers kept beyond which those not used in this
// session are let go.
constexpr uint32_t kKeepSessions = 4;
constexpr std::size_t kMaxBytes = 32u << 20;

// Hashes of groups drawn by Cairo and the session each was last drawn in,
// in open addressing, so that the steady path allocates nothing.
class SeenTable {
  public:
    // The session `hash` was last drawn in (0: none), now `session` (1 on).
    uint32_t mark(uint64_t hash, uint32_t session) {
        if (2 * (used_ + 1) > slots_.size()) grow();
        Slot& s = find(slots_, hash);
        const uint32_t last = s.session;
        used_ += last == 0;
        s = Slot{hash, session};
        return last;
    }
    // Forgets what was last drawn before `oldest`.
    void sweep(uint32_t oldest) {
        spare_.assign(slots_.size(), Slot{});
        used_ = 0;
        for (const Slot& s : slots_)
            if (s.session >= oldest && s.session != 0) {
                find(spare_, s.hash) = s;
                ++used_;
            }
        slots_.swap(spare_);
    }

  private:
    struct Slot {
        uint64_t hash = 0;
        uint32_t session = 0; // 0: empty
    };
    static Slot& find(std::vector<Slot>& slots, uint64_t hash) {
        const std::size_t mask = slots.size() - 1;
        for (std::size_t i = (hash ^ (hash >> 29)) & mask;; i = (i + 1) & mask)
            if (slots[i].session == 0 || slots[i].hash == hash) return slots[i];
    }
    void grow() {
        std::vector<Slot> old(std::max<std::size_t>(256, 2 * slots_.size()));
        old.swap(slots_);
        for (const Slot& s : old)
            if (s.session != 0) find(slots_, s.hash) = s;
    }
    std::vector<Slot> slots_, spare_;
    std::size_t used_ = 0;
};

} // namespace

struct CoverCache {
    std::unordered_map<uint64_t, Cover> covers; // by the hash of their key
    SeenTable seen;                             // groups drawn by Cairo
    // Scratch images of the image's size, left clear, and the contexts
    // drawing on them: coverage (A8), and text in its colours (ARGB32).
    cairo_surface_t* scratch[2] = {nullptr, nullptr};
    CairoContext* context[2] = {nullptr, nullptr};
    std::size_t bytes = 0;
};

void cover_cache_destroy(CoverCache* cache) {
    if (!cache) return;
    for (int i = 0; i < 2; ++i) {
        if (cache->context[i]) context_free(cache->context[i]);
        if (cache->scratch[i]) cairo_surface_destroy(cache->scratch[i]);
    }
    delete cache;
}

namespace {

// The colour as Cairo holds it (16 bits a channel, premultiplied in double)
// and hands it to pixman (the top 8 bits).
uint32_t premultiplied(Argb color) {
    const double a = (color >> 24) / 255.0;
    auto channel = [a](uint32_t c) {
        return static_cast<uint32_t>(static_cast<uint16_t>(c / 255.0 * a * 65535.0 + 0.5) >> 8);
    };
    return channel(255) << 24 | channel((color >> 16) & 0xFF) << 16 | channel((color >> 8) & 0xFF) << 8 |
           channel(color & 0xFF);
}

// Cairo's blend of an opaque colour by coverage: s·a + d·(255 − a), each
// product rounded as Cairo rounds it.
inline uint32_t mul_cairo(uint32_t x, uint32_t a) {
    const uint32_t t = (x & 0xFF00FF) * a + 0x7F007F;
    return ((t + ((t >> 8) & 0xFF00FF)) >> 8) & 0xFF00FF;
}
inline uint32_t add_saturated(uint32_t x, uint32_t y) {
    uint32_t t = x + y;
    t |= 0x1000100 - ((t >> 8) & 0xFF00FF);
    return t & 0xFF00FF;
}
inline uint32_t lerp(uint32_t s, uint32_t a, uint32_t d) {
    return add_saturated(mul_cairo(s, a), mul_cairo(d, 255 - a)) |
           add_saturated(mul_cairo(s >> 8, a), mul_cairo(d >> 8, 255 - a)) << 8;
}

// pixman's OVER through a coverage mask, rounded as pixman rounds.
inline uint32_t mul_pixman(uint32_t x, uint32_t a) {
    const uint32_t t = (x & 0xFF00FF) * a + 0x800080;
    return ((t + ((t >> 8) & 0xFF00FF)) >> 8) & 0xFF00FF;
}
inline uint32_t over(uint32_t s, uint32_t m, uint32_t d) {
    const uint32_t lo = mul_pixman(s, m), hi = mul_pixman(s >> 8, m);
    const uint32_t rest = 255 - (hi >> 16);
    return add_saturated(lo, mul_pixman(d, rest)) | add_saturated(hi, mul_pixman(d >> 8, rest)) << 8;
}

void lay_run(uint32_t* d, const Cover& v, const Run& r) {
    const uint8_t* a = v.data.data() + r.at;
    if (v.lay == Lay::Blend) {
        if (r.full) {
            std::fill_n(d, r.length, v.pixel);
            return;
        }
        for (int i = 0; i < r.length; ++i)
            d[i] = a[i] == 255 ? v.pixel : lerp(v.pixel, a[i], d[i]);
    } else if (v.lay == Lay::Over) {
        for (int i = 0; i < r.length; ++i)
            d[i] = over(v.pixel, r.full ? 255 : a[i], d[i]);
    } else {
        for (int i = 0; i < r.length; ++i) {
            uint32_t px;
            std::memcpy(&px, a + 4 * i, 4);
            // OVER a clear pixel, or of an opaque one, is that pixel.
            d[i] = d[i] == 0 || px >> 24 == 255 ? px : over(px, 255, d[i]);
        }
    }
}

// Lays the cover on the image; `clear`: the image is first cleared to that
// premultiplied pixel, row by row as the runs are laid.
void lay(cairo_surface_t* target, const Cover& v, const uint32_t* clear) {
    if (v.runs.empty() && !clear) return;
    cairo_surface_flush(target);
    unsigned char* data = cairo_image_surface_get_data(target);
    const int stride = cairo_image_surface_get_stride(target);
    auto row = [&](int y) { return reinterpret_cast<uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride); };
    if (!clear) {
        for (const Run& r : v.runs)
            lay_run(row(r.y) + r.x, v, r);
        cairo_surface_mark_dirty_rectangle(target, v.x0, v.y0, v.x1 - v.x0, v.y1 - v.y0);
        return;
    }
    const int width = cairo_image_surface_get_width(target), height = cairo_image_surface_get_height(target);
    std::size_t k = 0;
    for (int y = 0; y < height; ++y) {
        uint32_t* d = row(y);
        std::fill_n(d, width, *clear);
        for (; k < v.runs.size() && v.runs[k].y == y; ++k)
            lay_run(d + v.runs[k].x, v, v.runs[k]);
    }
    cairo_surface_mark_dirty(target);
}

// Whether the group lays one colour in one go, and how Cairo composites it.
// `box`: where it may paint (x0, y0, x1, y1), unless `known` is false.
bool coverable(CairoContext* c, const CallGroup& g, const ScriptCall* s, Argb& color, Lay& how, double box[4],
               bool& known) {
    known = !g.everywhere;
    box[0] = g.x0;
    box[1] = g.y0;
    box[2] = g.x1;
    box[3] = g.y1;
    if (g.batch) {
        color = g.key.color; // batches are of opaque pens
        how = Lay::Blend;
    } else if (s->kind == Call::Text) {
        // Lines of one call could overlap; a clip box may be smoothed.
        int lines = 0;
        for (const TextLine& line : s->text.lines)
            lines += !line.utf8.empty();
        if (s->text.clipped || lines != 1) return false;
        color = s->color;
        how = Lay::Pixels;
    } else {
        const bool stroke = s->kind == Call::Stroke;
        if (stroke && (s->pen.start_cap != LineCap::Flat || s->pen.end_cap != LineCap::Flat ||
                       s->pen.custom_start_cap || s->pen.custom_end_cap))
            return false; // caps are shapes of their own, laid over the line
        if (!matrix_invertible(s->state.world)) return false;
        const cairo_matrix_t m = device_matrix(s->state);
        if (!device_points(s->points, m, c->device)) return false; // cut into pieces
        color = stroke ? s->pen.color : s->color;
        how = (color >> 24) == 0xFF ? Lay::Blend : Lay::Over;
        if (stroke) {
            stroke_box(c, s->types, device_pen_width(s->pen, s->state.world), m, box[0], box[1], box[2], box[3]);
            known = !c->pieces.empty();
        }
    }
    return true;
}

template <class T> void put(std::vector<uint8_t>& k, const T& v) {
    const std::size_t at = k.size();
    k.resize(at + sizeof v);
    std::memcpy(k.data() + at, &v, sizeof v);
}

template <class T> void put_all(std::vector<uint8_t>& k, const std::vector<T>& v) {
    put(k, static_cast<uint32_t>(v.size()));
    const auto* p = reinterpret_cast<const uint8_t*>(v.data());
    k.insert(k.end(), p, p + v.size() * sizeof(T));
}

void put_matrix(std::vector<uint8_t>& k, const cairo_matrix_t& m) {
    for (double v : {m.xx, m.yx, m.xy, m.yy, m.x0, m.y0})
        put(k, v);
}

// Everything the group's pixels depend on, as bytes.
void make_key(CairoContext* c, const CallGroup& g, std::span<const uint8_t> bytes) {
    std::vector<uint8_t>& k = c->key;
    k.clear();
    put(k, static_cast<uint8_t>(g.batch));
    if (g.batch) {
        const StrokeKey& s = g.key;
        put(k, s.color);
        put(k, s.width);
        put(k, s.dash);
        put(k, static_cast<uint8_t>(s.antialias));
        put(k, static_cast<uint8_t>(s.rectilinear));
        put_matrix(k, g.matrix);
        put_all(k, g.device);
        put_all(k, g.types);
    } else {
        k.insert(k.end(), bytes.begin(), bytes.end());
    }
    const bool clipped = c->clip_form != ClipForm::None;
    put(k, static_cast<uint8_t>(clipped));
    if (clipped) {
        put(k, c->clip_mode);
        put_matrix(k, c->clip_matrix);
        put_all(k, c->clip_points);
        put_all(k, c->clip_types);
    }
}

CoverCache& cache_of(CairoContext* c) {
    CanvasShared* shared = c->shared;
    if (!shared->cover) shared->cover = new CoverCache;
    return *shared->cover;
}

// The scratch context for coverage (0) or text (1), under the clip of `c`;
// null when no scratch can be made.
CairoContext* scratch_for(CairoContext* c, CoverCache& cache, int which, const cairo_rectangle_int_t& bound) {
    if (!cache.context[which]) {
        cairo_surface_t* target = cairo_get_target(c->cr);
        const int width = cairo_image_surface_get_width(target), height = cairo_image_surface_get_height(target);
        if (width > 0xFFFF || height > 0xFFFF) return nullptr; // runs hold 16-bit places
        cairo_surface_t* s =
            cairo_image_surface_create(which == 0 ? CAIRO_FORMAT_A8 : CAIRO_FORMAT_ARGB32, width, height);
        if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) {
            cairo_surface_destroy(s);
            return nullptr;
        }
        // Not known clear: Cairo would lay the first call on it by other means.
        cairo_surface_mark_dirty(s);
        cache.scratch[which] = s;
        cache.context[which] = context_on(s, c->shared);
        cache.context[which]->coverage = which == 0;
    }
    CairoContext* s = cache.context[which];
    s->had_clip = c->had_clip;
    s->bounded = true;
    s->bound = bound;
    cairo_reset_clip(s->cr);
    cairo_identity_matrix(s->cr);
    cairo_new_path(s->cr);
    cairo_rectangle(s->cr, bound.x, bound.y, bound.width, bound.height);
    cairo_clip(s->cr);
    s->clip_form = ClipForm::None;
    if (c->clip_form != ClipForm::None) {
        s->clip_points = c->clip_points;
        s->clip_types = c->clip_types;
        s->clip_mode = c->clip_mode;
        s->clip_matrix = c->clip_matrix;
        s->clip_rectilinear = c->clip_rectilinear;
        apply_clip(s, c->clip_form);
    }
    return s;
}

// Reads what the scratch holds within the bound into the cover and clears
// it; false when paint reaches an edge of the bound inside the image (the
// bound may have cut it).
bool take_scratch(cairo_surface_t* scratch, const cairo_rectangle_int_t& bound, Cover& v) {
    cairo_surface_flush(scratch);
    unsigned char* data = cairo_image_surface_get_data(scratch);
    const int stride = cairo_image_surface_get_stride(scratch);
    const int size = cairo_image_surface_get_format(scratch) == CAIRO_FORMAT_A8 ? 1 : 4; // bytes a pixel
    const int width = cairo_image_surface_get_width(scratch);
    const int height = cairo_image_surface_get_height(scratch);
    const int left = bound.x, right = bound.x + bound.width, top = bound.y, bottom = bound.y + bound.height;
    v.runs.clear();
    v.data.clear();
    v.x0 = right;
    v.y0 = bottom;
    v.x1 = v.y1 = 0;
    auto clear = [&](const unsigned char* row, int x) {
        for (int i = 0; i < size; ++i)
            if (row[x * size + i] != 0) return false;
        return true;
    };
    for (int y = top; y < bottom; ++y) {
        unsigned char* row = data + static_cast<std::ptrdiff_t>(y) * stride;
        bool any = false;
        for (int x = left; x < right;) {
            // Eight bytes at a time over what is clear.
            if (x * size + 8 <= right * size) {
                uint64_t word;
                std::memcpy(&word, row + x * size, 8);
                if (word == 0) {
                    x += 8 / size;
                    continue;
                }
            }
            if (clear(row, x)) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < right && !clear(row, x))
                ++x;
            v.x0 = std::min(v.x0, start);
            v.x1 = std::max(v.x1, x);
            any = true;
            // Stretches of full coverage (four pixels or more) apart: they
            // are laid as a fill.
            auto full_from = [&](int i) {
                return size == 1 && i + 4 <= x && row[i] == 255 && row[i + 1] == 255 && row[i + 2] == 255 &&
                       row[i + 3] == 255;
            };
            for (int at = start; at < x;) {
                const bool full = full_from(at);
                int end = at + 1;
                if (full)
                    while (end < x && row[end] == 255)
                        ++end;
                else
                    while (end < x && !full_from(end))
                        ++end;
                v.runs.push_back(Run{static_cast<uint16_t>(at), static_cast<uint16_t>(y),
                                     static_cast<uint16_t>(end - at), full, static_cast<uint32_t>(v.data.size())});
                if (!full) v.data.insert(v.data.end(), row + at * size, row + end * size);
                at = end;
            }
        }
        if (any) {
            v.y0 = std::min(v.y0, y);
            v.y1 = y + 1;
            std::memset(row + left * size, 0, static_cast<std::size_t>((right - left) * size));
        }
    }
    cairo_surface_mark_dirty_rectangle(scratch, left, top, right - left, bottom - top);
    return v.runs.empty() || ((v.x0 > left || left == 0) && (v.x1 < right || right == width) &&
                              (v.y0 > top || top == 0) && (v.y1 < bottom || bottom == height));
}

// Lays the cover on the context's image, with the clear waiting if any.
void lay_on(CairoContext* c, const Cover& v) {
    const uint32_t clear = c->clear_waiting ? premultiplied(c->clear_color) : 0;
    lay(cairo_get_target(c->cr), v, c->clear_waiting ? &clear : nullptr);
    c->clear_waiting = false;
}

} // namespace

bool draw_from_cover(CairoContext* c, const CallGroup& g, const ScriptCall* single,
                     std::span<const uint8_t> bytes) {
    if (!g_covering || c->coverage) return false;
    Argb color = 0;
    Lay how = Lay::Blend;
    double box[4];
    bool known = false;
    if (!coverable(c, g, single, color, how, box, known)) return false;
    make_key(c, g, bytes);
    const uint64_t hash =
        std::hash<std::string_view>{}(std::string_view(reinterpret_cast<const char*>(c->key.data()), c->key.size()));
    CoverCache& cache = cache_of(c);
    const uint32_t session = c->shared->session;
    cairo_surface_t* target = cairo_get_target(c->cr);
    auto found = cache.covers.find(hash);
    if (found != cache.covers.end() && found->second.key == c->key) {
        found->second.used = session;
        if (found->second.refused) return false;
        lay_on(c, found->second);
        return true;
    }
    // Kept the second time it is drawn, in a later session.
    const uint32_t last = cache.seen.mark(hash, session);
    if (last == 0 || last == session) return false;
    const int which = how == Lay::Pixels ? 1 : 0;
    const int width = cairo_image_surface_get_width(target), height = cairo_image_surface_get_height(target);
    cairo_rectangle_int_t bound{0, 0, width, height};
    if (known) {
        // A pixel more round what the box rounds to.
        const double x0 = std::max(std::floor(box[0]) - 1, 0.0), y0 = std::max(std::floor(box[1]) - 1, 0.0);
        const double x1 = std::min(std::ceil(box[2]) + 1, double(width));
        const double y1 = std::min(std::ceil(box[3]) + 1, double(height));
        if (x1 <= x0 || y1 <= y0)
            bound = cairo_rectangle_int_t{0, 0, 0, 0}; // off the image: nothing to lay
        else
            bound = cairo_rectangle_int_t{int(x0), int(y0), int(x1 - x0), int(y1 - y0)};
    }
    CairoContext* scratch = scratch_for(c, cache, which, bound);
    if (!scratch) return false;
    draw_group(scratch, g, single);
    Cover& v = cache.covers[hash];
    cache.bytes -= v.data.size() + v.runs.size() * sizeof(Run);
    v.refused = !take_scratch(cache.scratch[which], bound, v);
    v.key = c->key;
    v.lay = how;
    v.pixel = premultiplied(color);
    v.used = session;
    if (v.refused) {
        v.runs.clear();
        v.data.clear();
        v.runs.shrink_to_fit();
        v.data.shrink_to_fit();
        return false;
    }
    cache.bytes += v.data.size() + v.runs.size() * sizeof(Run);
    lay_on(c, v);
    return true;
}

void cover_session_end(CanvasShared* shared) {
    CoverCache* cache = shared->cover;
    if (!cache) return;
    const uint32_t session = shared->session;
    cache->seen.sweep(session > 1 ? session - 1 : 0);
    const bool full = cache->bytes > kMaxBytes;
    if (!full && session % kKeepSessions != 0) return;
    const uint32_t keep = full ? 0 : kKeepSessions;
    for (auto i = cache->covers.begin(); i != cache->covers.end();) {
        if (session - i->second.used > keep) {
            cache->bytes -= i->second.data.size() + i->second.runs.size() * sizeof(Run);
            i = cache->covers.erase(i);
        } else {
            ++i;
        }
    }
}

} // namespace gfx::detail
