// Coverage kept of drawing calls that repeat from one session to the next.
// A display draws most of a frame as it drew the last one (scales, frames,
// symbols, labels): such a call is drawn by Cairo once more on a scratch
// image under the same clip, and its coverage there is kept as a mask,
// laid onto the display through the call's colour in later sessions by
// pixman, as Cairo composites through a mask. Only calls of one colour laid
// down in one go are kept; a call is kept the second time it is drawn, so
// what changes every frame costs no more than a hash.
#include "platform/gfx_cairo_context.h"

#include <pixman.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <string_view>

namespace gfx::detail {

namespace {

struct ImageUnref {
    void operator()(pixman_image_t* image) const { pixman_image_unref(image); }
};
using Image = std::unique_ptr<pixman_image_t, ImageUnref>;

struct Cover {
    // The key's call bytes, then (from mask_at) the call's coverage over its
    // box, one byte a pixel, in rows of whole words.
    std::vector<uint8_t> data;
    std::size_t call_size = 0;
    std::shared_ptr<const std::vector<uint8_t>> clip; // the key's clip (null: none)
    Argb color = 0;
    cairo_rectangle_int_t box{}; // what the coverage covers
    uint32_t used = 0;           // session last laid
    bool refused = false;        // drawn by Cairo: its paint reached past where it was looked for
    // The coverage as pixman's mask, clipped to the pixels painted (a
    // diagonal line or a ring covers little of its box), and the colour;
    // null when nothing is painted.
    Image mask, source;

    std::span<const uint8_t> call() const { return {data.data(), call_size}; }
    std::size_t mask_at() const { return (call_size + 3) & ~std::size_t{3}; }
    void drop() {
        mask.reset();
        source.reset();
        data.resize(call_size);
    }
    std::size_t bytes() const { return data.size() - call_size; }
};

// Clear pixels a row's painted stretch may hold: pixman skips them cheaply,
// while each stretch apart costs a call of its own.
constexpr int kGap = 16;

// Sessions a cover is kept unused (it is let go after between one and two
// times as many); bytes of covers kept beyond which those not used in this
// session are let go.
constexpr uint32_t kKeepSessions = 2;
constexpr std::size_t kMaxBytes = 8u << 20;

// Hashes of calls drawn by Cairo and the session each was last drawn in,
// in open addressing, so that the steady path allocates nothing. Only the
// last two sessions count: older marks are let go when the table fills.
class SeenTable {
  public:
    // The session `hash` was last drawn in (0: none, or before the last
    // two), now `session` (1 on).
    uint32_t mark(uint64_t hash, uint32_t session) {
        if (2 * (used_ + 1) > slots_.size()) rebuild(session);
        Slot& s = find(slots_, hash);
        const uint32_t last = s.session;
        used_ += last == 0;
        s = Slot{hash, session};
        return last + 2 >= session ? last : 0;
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
    // Lets go the marks that no longer count, in a table at most a quarter full.
    void rebuild(uint32_t session) {
        std::size_t live = 0;
        for (const Slot& s : slots_)
            live += s.session != 0 && s.session + 2 >= session;
        std::size_t size = 256;
        while (size < 4 * (live + 1))
            size *= 2;
        std::vector<Slot> old(size);
        old.swap(slots_);
        used_ = live;
        for (const Slot& s : old)
            if (s.session != 0 && s.session + 2 >= session) find(slots_, s.hash) = s;
    }
    std::vector<Slot> slots_;
    std::size_t used_ = 0;
};

// The covers by the hash of their key, in open addressing: the hashes lie
// side by side, apart from the covers, so that finding one reads little
// memory besides its cover.
class CoverTable {
  public:
    // The cover of `hash`, null when there is none; valid until the next
    // cover is made or let go.
    Cover* find(uint64_t hash) {
        if (hashes_.empty()) return nullptr;
        const std::size_t i = index(hashes_, stored(hash));
        return hashes_[i] != 0 ? &covers_[i] : nullptr;
    }
    // The cover of `hash`, made when there is none.
    Cover& at(uint64_t hash) {
        if (2 * (used_ + 1) > hashes_.size()) rebuild(std::max<std::size_t>(256, 2 * hashes_.size()));
        const std::size_t i = index(hashes_, stored(hash));
        if (hashes_[i] == 0) {
            hashes_[i] = stored(hash);
            covers_[i] = Cover{};
            ++used_;
        }
        return covers_[i];
    }
    // Lets go the covers `drop` says; it returns whether to drop one.
    template <class F> void remove_if(F drop) {
        bool any = false;
        for (std::size_t i = 0; i < hashes_.size(); ++i)
            if (hashes_[i] != 0 && drop(covers_[i])) {
                hashes_[i] = 0;
                covers_[i] = Cover{};
                --used_;
                any = true;
            }
        if (any) rebuild(hashes_.size()); // a cover let go may lie between one and its place
    }
    template <class F> void each(F f) const {
        for (std::size_t i = 0; i < hashes_.size(); ++i)
            if (hashes_[i] != 0) f(covers_[i]);
    }

  private:
    static uint64_t stored(uint64_t hash) { return hash == 0 ? 1 : hash; } // 0: an empty place
    static std::size_t index(const std::vector<uint64_t>& hashes, uint64_t hash) {
        const std::size_t mask = hashes.size() - 1;
        for (std::size_t i = (hash ^ (hash >> 29)) & mask;; i = (i + 1) & mask)
            if (hashes[i] == 0 || hashes[i] == hash) return i;
    }
    void rebuild(std::size_t size) {
        std::vector<uint64_t> hashes(size);
        std::vector<Cover> covers(size);
        hashes.swap(hashes_);
        covers.swap(covers_);
        for (std::size_t i = 0; i < hashes.size(); ++i)
            if (hashes[i] != 0) {
                const std::size_t to = index(hashes_, hashes[i]);
                hashes_[to] = hashes[i];
                covers_[to] = std::move(covers[i]);
            }
    }
    std::vector<uint64_t> hashes_; // 0: empty
    std::vector<Cover> covers_;
    std::size_t used_ = 0;
};

} // namespace

struct CoverCache {
    CoverTable covers;
    SeenTable seen; // calls drawn by Cairo
    std::size_t bytes = 0;
    // The image (A8, as large as the one drawn on, left clear) the calls to
    // keep are drawn on, and the context drawing on it, which keeps the clip
    // it was given for the next call under the same clip.
    cairo_surface_t* scratch = nullptr;
    CairoContext* scratch_context = nullptr;
    // The image drawn on, as pixman's, for the pixels it holds now.
    Image target;
    unsigned char* target_pixels = nullptr;

    ~CoverCache() {
        if (scratch_context) context_free(scratch_context);
        if (scratch) cairo_surface_destroy(scratch);
    }
};

void cover_cache_destroy(CoverCache* cache) {
    delete cache;
}

CoverStats canvas_cover_stats(const CairoCanvas* canvas) {
    CoverStats stats;
    if (!canvas || !canvas->shared->cover) return stats;
    canvas->shared->cover->covers.each([&stats](const Cover& v) {
        stats.kept += !v.refused;
        stats.refused += v.refused;
    });
    stats.bytes = canvas->shared->cover->bytes;
    return stats;
}

namespace {

// What of a call's being coverable costs little to tell: its kind, pen and
// text.
bool may_cover(const ScriptCall& s) {
    if (!matrix_invertible(s.state.world)) return false;
    if (s.kind == Call::Text) {
        // Lines of one call could overlap; a clip box may be smoothed.
        // Where glyphs of a see-through text share a pixel, Cairo lays its
        // colour there twice, which one coverage laid once would not.
        int lines = 0;
        for (const TextLine& line : s.text.lines)
            lines += !line.utf8.empty();
        return !s.text.clipped && lines == 1 && (s.color >> 24) == 0xFF;
    }
    // Caps are shapes of their own, laid over the line.
    return s.kind != Call::Stroke || (s.pen.start_cap == LineCap::Flat && s.pen.end_cap == LineCap::Flat &&
                                      !s.pen.custom_start_cap && !s.pen.custom_end_cap);
}

// Whether a call that may be covered lays one colour in one go. `box`:
// where it may paint (x0, y0, x1, y1), unless `known` is false.
bool coverable(CairoContext* c, const ScriptCall& s, double box[4], bool& known) {
    const cairo_matrix_t m = device_matrix(s.state);
    if (s.kind == Call::Text) {
        // Ink reaches about an em round a line's advance.
        const float em = std::fabs(s.text.em);
        c->points.clear();
        for (const TextLine& line : s.text.lines) {
            const float left = line.x - em, right = line.x + std::fabs(line.width) + em;
            const float top = line.baseline - 2 * em, bottom = line.baseline + em;
            c->points.insert(c->points.end(), {{left, top}, {right, top}, {right, bottom}, {left, bottom}});
        }
        known = device_points(c->points, m, c->device);
    } else {
        const bool stroke = s.kind == Call::Stroke;
        if (!device_points(s.points, m, c->device)) return false; // cut into pieces
        if (stroke) {
            stroke_bounds(c->device, s.types, device_pen_width(s.pen, s.state.world), m, box);
            known = true;
            return true;
        }
        known = true;
    }
    if (!known) return true;
    box[0] = box[1] = HUGE_VAL;
    box[2] = box[3] = -HUGE_VAL;
    for (const DPoint& d : c->device) {
        box[0] = std::min(box[0], d.x - 1.5);
        box[1] = std::min(box[1], d.y - 1.5);
        box[2] = std::max(box[2], d.x + 1.5);
        box[3] = std::max(box[3], d.y + 1.5);
    }
    return true;
}

template <class T> void put(std::vector<uint8_t>& k, const T& v) {
    const auto* p = reinterpret_cast<const uint8_t*>(&v);
    k.insert(k.end(), p, p + sizeof v);
}

template <class T> void put_all(std::vector<uint8_t>& k, const std::vector<T>& v) {
    put(k, static_cast<uint32_t>(v.size()));
    const auto* p = reinterpret_cast<const uint8_t*>(v.data());
    k.insert(k.end(), p, p + v.size() * sizeof(T));
}

uint64_t hash_of(std::span<const uint8_t> bytes) {
    return std::hash<std::string_view>{}(
        std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

// The clip's part of the key, once per clip set: everything but the call
// that its pixels depend on. Empty without a clip.
void refresh_clip_key(CairoContext* c) {
    if (!c->clip_key_stale) return;
    c->clip_key_stale = false;
    if (c->clip_form == ClipForm::None) {
        c->clip_key = nullptr;
        c->clip_hash = 0;
        return;
    }
    std::vector<uint8_t>& k = c->clip_bytes;
    k.clear();
    put(k, c->clip_mode);
    const cairo_matrix_t& m = c->clip_matrix;
    for (double v : {m.xx, m.yx, m.xy, m.yy, m.x0, m.y0})
        put(k, v);
    put_all(k, c->clip_points);
    put_all(k, c->clip_types);
    if (c->clip_key && *c->clip_key == k) return; // the clip set again
    c->clip_key = std::make_shared<const std::vector<uint8_t>>(k);
    c->clip_hash = hash_of(k);
}

// The hash of a call under the context's clip.
uint64_t key_hash(const CairoContext* c, std::span<const uint8_t> call) {
    const uint64_t h = hash_of(call);
    return h ^ (c->clip_hash + 0x9E3779B97F4A7C15ull + (h << 6) + (h >> 2));
}

// Whether the cover was kept of the call under the context's clip; a cover
// kept under an equal clip set anew takes on the context's clip key.
bool same_key(Cover& v, std::span<const uint8_t> call, const CairoContext* c) {
    const std::span<const uint8_t> kept = v.call();
    if (!std::equal(kept.begin(), kept.end(), call.begin(), call.end())) return false;
    if (v.clip == c->clip_key) return true;
    if (!v.clip || !c->clip_key || *v.clip != *c->clip_key) return false;
    v.clip = c->clip_key;
    return true;
}

// The context drawing the coverage of calls under the clip of `c` on the
// image's scratch; null when no scratch can be made. The scratch takes the
// image's coordinates and its clip as they are: Cairo places glyphs by
// rounding device coordinates, which an offset could tip at a half pixel, and
// rasterises a shape the clip cuts a few levels apart under a clip cut to
// the shape's bound.
CairoContext* scratch_for(CairoContext* c, CoverCache& cache) {
    if (!cache.scratch) {
        cache.scratch = cairo_image_surface_create(CAIRO_FORMAT_A8, c->shared->width, c->shared->height);
        if (cairo_surface_status(cache.scratch) != CAIRO_STATUS_SUCCESS) {
            cairo_surface_destroy(cache.scratch);
            cache.scratch = nullptr;
            return nullptr;
        }
        cache.scratch_context = context_on(cache.scratch, c->shared);
        cache.scratch_context->coverage = true;
    }
    // Cleared behind Cairo's back: not known clear, as Cairo would lay the
    // first call on a clear image by other means.
    cairo_surface_mark_dirty(cache.scratch);
    CairoContext* sc = cache.scratch_context;
    sc->had_clip = c->had_clip;
    sc->clip_form = ClipForm::None;
    if (c->clip_form == ClipForm::None) return sc;
    const bool same = sc->clip_serial != 0 && sc->clip_mode == c->clip_mode &&
                      std::memcmp(&sc->clip_matrix, &c->clip_matrix, sizeof c->clip_matrix) == 0 &&
                      sc->clip_types == c->clip_types && sc->clip_points.size() == c->clip_points.size() &&
                      std::memcmp(sc->clip_points.data(), c->clip_points.data(),
                                  c->clip_points.size() * sizeof(PointF)) == 0;
    if (!same) {
        ++sc->clip_serial;
        sc->clip_points = c->clip_points;
        sc->clip_types = c->clip_types;
        sc->clip_mode = c->clip_mode;
        sc->clip_matrix = c->clip_matrix;
        sc->clip_rectilinear = c->clip_rectilinear;
    }
    sc->clip_form = ClipForm::Path; // given to Cairo in the form each call takes
    return sc;
}

// Takes what the scratch holds within the bound into the cover and clears
// it; false when paint reaches an edge of the bound inside the image of
// `width` x `height` (the bound may have cut it), or it cannot be kept.
bool take_scratch(cairo_surface_t* scratch, const cairo_rectangle_int_t& bound, int width, int height,
                  Cover& v) {
    cairo_surface_flush(scratch);
    unsigned char* data = cairo_image_surface_get_data(scratch);
    const int stride = cairo_image_surface_get_stride(scratch);
    const int left = bound.x, top = bound.y, right = left + bound.width, bottom = top + bound.height;
    int x0 = right, x1 = left, y0 = bottom, y1 = top;
    for (int y = top; y < bottom; ++y) {
        const unsigned char* row = data + static_cast<std::ptrdiff_t>(y) * stride;
        int first = left, last = right;
        while (first + 8 <= last) { // eight bytes at a time over what is clear
            uint64_t word;
            std::memcpy(&word, row + first, 8);
            if (word != 0) break;
            first += 8;
        }
        while (first < last && row[first] == 0)
            ++first;
        if (first == last) continue;
        while (row[last - 1] == 0)
            --last;
        x0 = std::min(x0, first);
        x1 = std::max(x1, last);
        y0 = std::min(y0, y);
        y1 = y + 1;
    }
    v.drop();
    if (x0 >= x1) return true; // nothing painted
    bool kept = (x0 > left || left == 0) && (x1 < right || right == width) && (y0 > top || top == 0) &&
                (y1 < bottom || bottom == height);
    if (kept) {
        v.box = cairo_rectangle_int_t{x0, y0, x1 - x0, y1 - y0};
        const int row_bytes = (v.box.width + 3) & ~3;
        v.data.resize(v.mask_at() + static_cast<std::size_t>(row_bytes) * v.box.height);
        uint8_t* mask = v.data.data() + v.mask_at();
        std::vector<pixman_box32_t> painted;
        for (int y = y0; y < y1; ++y) {
            const unsigned char* row = data + static_cast<std::ptrdiff_t>(y) * stride;
            std::memcpy(mask + static_cast<std::ptrdiff_t>(y - y0) * row_bytes, row + x0,
                        static_cast<std::size_t>(x1 - x0));
            for (int x = x0; x < x1;) {
                if (row[x] == 0) {
                    ++x;
                    continue;
                }
                const int start = x;
                for (int clear = 0; x < x1 && clear <= kGap; ++x)
                    clear = row[x] == 0 ? clear + 1 : 0;
                int end = x;
                while (row[end - 1] == 0)
                    --end;
                painted.push_back({start - x0, y - y0, end - x0, y - y0 + 1});
            }
        }
        v.data.shrink_to_fit();
        mask = v.data.data() + v.mask_at();
        v.mask.reset(pixman_image_create_bits(PIXMAN_a8, v.box.width, v.box.height,
                                              reinterpret_cast<uint32_t*>(mask), row_bytes));
        pixman_region32_t region;
        pixman_region32_init_rects(&region, painted.data(), static_cast<int>(painted.size()));
        if (v.mask) {
            pixman_image_set_clip_region32(v.mask.get(), &region);
            pixman_image_set_has_client_clip(v.mask.get(), 1);
            pixman_image_set_source_clipping(v.mask.get(), 1);
        }
        pixman_region32_fini(&region);
        if (!v.mask) kept = false;
    }
    for (int y = y0; y < y1; ++y)
        std::memset(data + static_cast<std::ptrdiff_t>(y) * stride + left, 0,
                    static_cast<std::size_t>(right - left));
    return kept;
}

// How much of the bound the clip keeps. Cairo rasterises a shape that the
// clip cuts a few levels apart on a scratch image cut to the shape's bound
// than on the whole image: such a shape is drawn on a scratch as large as
// the image, under the clip alone. A text the clip cuts is drawn by Cairo
// every time, which costs no more than laying its coverage.
enum class Kept { All, Part, None };
Kept clip_keeps(CairoContext* c, const cairo_rectangle_int_t& bound) {
    if (c->clip_form == ClipForm::None) return Kept::All;
    long kept = 0;
    for (const cairo_rectangle_int_t& b : clip_boxes(c)) {
        const int x0 = std::max(b.x, bound.x), x1 = std::min(b.x + b.width, bound.x + bound.width);
        const int y0 = std::max(b.y, bound.y), y1 = std::min(b.y + b.height, bound.y + bound.height);
        if (x0 < x1 && y0 < y1) kept += static_cast<long>(x1 - x0) * (y1 - y0);
    }
    return kept == 0                                               ? Kept::None
           : kept == static_cast<long>(bound.width) * bound.height ? Kept::All
                                                                   : Kept::Part;
}

// The colour premultiplied by its alpha, each level rounded.
uint32_t premultiplied(Argb color) {
    const uint32_t alpha = color >> 24;
    auto level = [alpha](uint32_t v) { return (v * alpha + 127) / 255; };
    return alpha << 24 | level((color >> 16) & 0xFF) << 16 | level((color >> 8) & 0xFF) << 8 |
           level(color & 0xFF);
}

// The image drawn on as pixman's, made again when Cairo's pixels moved.
pixman_image_t* target_image(CoverCache& cache, cairo_surface_t* target) {
    unsigned char* pixels = cairo_image_surface_get_data(target);
    if (!cache.target || cache.target_pixels != pixels) {
        const pixman_format_code_t format =
            cairo_image_surface_get_format(target) == CAIRO_FORMAT_RGB24 ? PIXMAN_x8r8g8b8 : PIXMAN_a8r8g8b8;
        cache.target.reset(pixman_image_create_bits(
            format, cairo_image_surface_get_width(target), cairo_image_surface_get_height(target),
            reinterpret_cast<uint32_t*>(pixels), cairo_image_surface_get_stride(target)));
        cache.target_pixels = pixels;
    }
    return cache.target.get();
}

// Lays the cover onto the context's image outside any clip (the clip is in
// the cover): the colour through the coverage as a mask, OVER.
void lay_on(CairoContext* c, CoverCache& cache, Cover& v) {
    if (!v.mask) return;
    cairo_surface_t* target = cairo_get_target(c->cr);
    cairo_surface_flush(target);
    pixman_image_t* image = target_image(cache, target);
    if (!image) return;
    if (!v.source) {
        // Each premultiplied level as pixman takes it back to eight bits.
        const uint32_t s = premultiplied(v.color);
        auto wide = [s](int shift) { return static_cast<uint16_t>(((s >> shift) & 0xFF) * 0x101); };
        const pixman_color_t color{wide(16), wide(8), wide(0), wide(24)};
        v.source.reset(pixman_image_create_solid_fill(&color));
        if (!v.source) return;
    }
    pixman_image_composite32(PIXMAN_OP_OVER, v.source.get(), v.mask.get(), image, 0, 0, 0, 0, v.box.x,
                             v.box.y, v.box.width, v.box.height);
    // Cairo may know the image clear, and would lay its next call by other means.
    cairo_surface_mark_dirty_rectangle(target, v.box.x, v.box.y, v.box.width, v.box.height);
}

} // namespace

bool draw_from_cover(CairoContext* c, const ScriptCall& call, std::span<const uint8_t> bytes) {
    if (!g_covering || c->coverage || !may_cover(call)) return false;
    refresh_clip_key(c);
    const uint64_t hash = key_hash(c, bytes);
    CanvasShared* shared = c->shared;
    if (!shared->cover) shared->cover = new CoverCache;
    CoverCache& cache = *shared->cover;
    const uint32_t session = shared->session;
    // A call kept was found coverable when it was kept, and its bytes hold
    // all that says so.
    if (Cover* found = cache.covers.find(hash); found && same_key(*found, bytes, c)) {
        found->used = session;
        if (found->refused) return false;
        lay_on(c, cache, *found);
        return true;
    }
    double box[4];
    bool known = false;
    if (!coverable(c, call, box, known)) return false;
    // Kept the second time it is drawn, in a later session.
    const uint32_t last = cache.seen.mark(hash, session);
    if (last == 0 || last == session) return false;
    cairo_surface_t* target = cairo_get_target(c->cr);
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
    const Kept kept = bound.width > 0 && bound.height > 0 ? clip_keeps(c, bound) : Kept::None;
    const bool refused = kept == Kept::Part && call.kind == Call::Text;
    CairoContext* sc = nullptr;
    if (kept != Kept::None && !refused && !(sc = scratch_for(c, cache))) return false;
    Cover& v = cache.covers.at(hash);
    cache.bytes -= v.bytes();
    v.drop(); // its mask reads the bytes about to be written over
    v.data.assign(bytes.begin(), bytes.end());
    v.call_size = bytes.size();
    v.refused = refused;
    if (sc) {
        draw_call(sc, call);
        v.refused = !take_scratch(cache.scratch, bound, width, height, v);
        if (v.refused) { // paint may lie past the bound, left on the scratch
            std::memset(cairo_image_surface_get_data(cache.scratch), 0,
                        static_cast<std::size_t>(cairo_image_surface_get_stride(cache.scratch)) *
                            cairo_image_surface_get_height(cache.scratch));
        }
    }
    v.clip = c->clip_key;
    v.color = call.kind == Call::Stroke ? call.pen.color : call.color;
    v.used = session;
    if (v.refused) return false;
    cache.bytes += v.bytes();
    lay_on(c, cache, v);
    return true;
}

void cover_session_end(CanvasShared* shared) {
    CoverCache* cache = shared->cover;
    if (!cache) return;
    const uint32_t session = shared->session;
    const bool full = cache->bytes > kMaxBytes;
    if (!full && session % kKeepSessions != 0) return;
    const uint32_t keep = full ? 0 : kKeepSessions;
    cache->covers.remove_if([cache, session, keep](const Cover& v) {
        if (session - v.used <= keep) return false;
        cache->bytes -= v.bytes();
        return true;
    });
}

} // namespace gfx::detail
