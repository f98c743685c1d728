// Font families and faces of the Linux build: the module's family names map
// to the metric-compatible Liberation faces through fontconfig, and each face
// is loaded once as a Cairo FreeType face with unhinted metrics, so text
// measures the same at every size and on every backend.
#include "platform/gfx_detail.h"

#include <cairo-ft.h>
#include <cairo.h>
#include <fontconfig/fontconfig.h>

#include <cctype>
#include <functional>
#include <map>
#include <string>
#include <unordered_map>
#include <utility>

namespace gfx {
namespace detail {

namespace {

bool same_name(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

// The families the module draws with, and GDI+'s generic sans-serif family.
struct KnownFamily {
    const char* name;
    const char* face;
};
constexpr KnownFamily kKnownFamilies[] = {
    {"Arial", "Liberation Sans"},
    {"HW Arial", "Liberation Sans"},
    {"Tahoma", "Liberation Sans"},
    {"Courier New", "Liberation Mono"},
    {"Microsoft Sans Serif", "Liberation Sans"},
};
constexpr const char* kFallbackFace = "Liberation Sans";

bool fontconfig_has_family(std::string_view name) {
    const std::string family(name);
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    bool found = false;
    if (match) {
        FcChar8* matched = nullptr;
        if (FcPatternGetString(match, FC_FAMILY, 0, &matched) == FcResultMatch)
            found = same_name(reinterpret_cast<const char*>(matched), name);
        FcPatternDestroy(match);
    }
    FcPatternDestroy(pattern);
    return found;
}

// Looks texts up without copying them.
struct TextHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
};

struct FaceEntry {
    cairo_font_face_t* face = nullptr;
    cairo_scaled_font_t* metrics_font = nullptr; // at kMetricsEm, unhinted
    FontMetrics metrics;
    // Advances at kMetricsEm of the texts measured: a map draws the same
    // labels every frame. Emptied when full.
    std::unordered_map<std::string, double, TextHash, std::equal_to<>> advances;
};
constexpr std::size_t kMaxAdvances = 4096;

constexpr double kMetricsEm = 1000.0;

cairo_font_face_t* load_face(const std::string& family, FontStyle style) {
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    const int s = static_cast<int>(style);
    FcPatternAddInteger(pattern, FC_WEIGHT, (s & 1) ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, (s & 2) ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    if (!match)
        return cairo_toy_font_face_create(family.c_str(), CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    // Keep only the file, its index and synthetic emboldening: the host's
    // hinting settings must not change how text is laid out.
    FcPattern* exact = FcPatternCreate();
    FcChar8* file = nullptr;
    int index = 0;
    FcBool embolden = FcFalse;
    if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch)
        FcPatternAddString(exact, FC_FILE, file);
    if (FcPatternGetInteger(match, FC_INDEX, 0, &index) == FcResultMatch)
        FcPatternAddInteger(exact, FC_INDEX, index);
    if (FcPatternGetBool(match, FC_EMBOLDEN, 0, &embolden) == FcResultMatch && embolden)
        FcPatternAddBool(exact, FC_EMBOLDEN, FcTrue);
    cairo_font_face_t* face = cairo_ft_font_face_create_for_pattern(exact);
    FcPatternDestroy(exact);
    FcPatternDestroy(match);
    return face;
}

// Faces live until the module unloads; they are released then so that leak
// checkers see a clean exit.
struct FaceCache {
    std::map<std::pair<std::string, int>, FaceEntry> faces;
    ~FaceCache() {
        for (auto& [key, entry] : faces) {
            cairo_scaled_font_destroy(entry.metrics_font);
            cairo_font_face_destroy(entry.face);
        }
    }
};

FaceEntry& face_entry(const std::string& family, FontStyle style) {
    static FaceCache face_cache;
    // Text asks for the same face over and over: the last one is kept at hand
    // (map entries stay where they are).
    static const std::pair<std::string, int>* last_key = nullptr;
    static FaceEntry* last_entry = nullptr;
    if (last_key && last_key->second == static_cast<int>(style) && last_key->first == family)
        return *last_entry;
    auto& cache = face_cache.faces;
    auto key = std::make_pair(family, static_cast<int>(style));
    auto it = cache.find(key);
    if (it != cache.end()) {
        last_key = &it->first;
        last_entry = &it->second;
        return it->second;
    }
    FaceEntry entry;
    entry.face = load_face(family, style);
    cairo_matrix_t font_matrix, ctm;
    cairo_matrix_init_scale(&font_matrix, kMetricsEm, kMetricsEm);
    cairo_matrix_init_identity(&ctm);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    entry.metrics_font = cairo_scaled_font_create(entry.face, &font_matrix, &ctm, options);
    cairo_font_options_destroy(options);
    cairo_font_extents_t extents;
    cairo_scaled_font_extents(entry.metrics_font, &extents);
    if (cairo_scaled_font_status(entry.metrics_font) == CAIRO_STATUS_SUCCESS && extents.height > 0) {
        entry.metrics.ascent = static_cast<float>(extents.ascent / kMetricsEm);
        entry.metrics.descent = static_cast<float>(extents.descent / kMetricsEm);
        entry.metrics.line_spacing = static_cast<float>(extents.height / kMetricsEm);
    }
    it = cache.emplace(key, std::move(entry)).first;
    last_key = &it->first;
    last_entry = &it->second;
    return it->second;
}

} // namespace

bool resolve_font_family(std::string_view name, std::string* face) {
    for (const KnownFamily& k : kKnownFamilies) {
        if (same_name(name, k.name)) {
            *face = k.face;
            return true;
        }
    }
    if (!name.empty() && fontconfig_has_family(name)) {
        *face = std::string(name);
        return true;
    }
    *face = kFallbackFace;
    return false;
}

FontMetrics font_metrics(const std::string& face, FontStyle style) {
    return face_entry(face, style).metrics;
}

double text_advance(const std::string& face, FontStyle style, double em, std::string_view utf8) {
    if (utf8.empty()) return 0.0;
    FaceEntry& entry = face_entry(face, style);
    auto it = entry.advances.find(utf8);
    if (it == entry.advances.end()) {
        std::string text(utf8);
        cairo_text_extents_t extents;
        cairo_scaled_font_text_extents(entry.metrics_font, text.c_str(), &extents);
        if (entry.advances.size() >= kMaxAdvances) entry.advances.clear();
        it = entry.advances.emplace(std::move(text), extents.x_advance).first;
    }
    return it->second * em / kMetricsEm;
}

void* font_face_handle(const std::string& face, FontStyle style) {
    return face_entry(face, style).face;
}

} // namespace detail

FontFamily::FontFamily(std::string_view name) {
    if (detail::resolve_font_family(name, &face_)) {
        name_ = std::string(name);
    } else {
        status_ = Status::FontFamilyNotFound;
        name_ = "Microsoft Sans Serif";
    }
}

Font::Font(const FontFamily& family_, float size_, FontStyle style_, Unit unit_)
    : family(family_.name()), face(family_.face()), size(size_), style(style_), unit(unit_),
      status(Status::Ok) {
    if (!(size > 0.0f) || size > 1e6f) status = Status::InvalidParameter;
    const int s = static_cast<int>(style);
    if (s < 0 || s > 3) status = Status::InvalidParameter;
}

float Font::em_size() const {
    return unit == Unit::Point ? size * 96.0f / 72.0f : size;
}

} // namespace gfx
