// Font families of the Windows build: GDI+'s installed families, found by
// name, with GDI+'s generic sans-serif family for a name it does not know.
// Where the host lacks one of the module's own families (wine has none of
// them), the face with its metrics that the Linux build draws with stands in,
// so that texts placed by their length end where they do on Windows.
#include "platform/gfx_win.h"

#include <map>

namespace gfx {
namespace win {

namespace {

// Families by name, created once per GDI+ session: a family outliving the
// session would be released into a shut-down library.
std::map<std::string, gp::GpFontFamily*>& families() {
    static std::map<std::string, gp::GpFontFamily*> cache;
    return cache;
}

constexpr const char* kFallbackName = "Microsoft Sans Serif";

// Families asked for in turn when the host has not the one named.
struct StandIn {
    const char* family;
    const char* faces[2];
};
constexpr StandIn kStandIns[] = {
    {"Arial", {"Liberation Sans", nullptr}},       {"HW Arial", {"Arial", "Liberation Sans"}},
    {"Tahoma", {"Liberation Sans", nullptr}},      {"Courier New", {"Liberation Mono", nullptr}},
    {kFallbackName, {"Arial", "Liberation Sans"}},
};

gp::GpFontFamily* installed_family(const char* name) {
    gp::GpFontFamily* family = nullptr;
    if (flat::GdipCreateFontFamilyFromName(widen(name).c_str(), nullptr, &family) != gp::Ok) return nullptr;
    return family;
}

// Fonts by family, size, style and unit: making a GDI+ font realises a system
// font, which costs more than drawing a short text with it. The displays use a
// few dozen; the cache starts afresh past kMaxFonts.
struct FontKey {
    std::string family;
    float size;
    int style;
    int unit;
    bool operator<(const FontKey& o) const {
        if (family != o.family) return family < o.family;
        if (size != o.size) return size < o.size;
        if (style != o.style) return style < o.style;
        return unit < o.unit;
    }
};
constexpr std::size_t kMaxFonts = 256;

std::map<FontKey, gp::GpFont*>& fonts() {
    static std::map<FontKey, gp::GpFont*> cache;
    return cache;
}

void release_fonts() {
    for (auto& [key, font] : fonts())
        flat::GdipDeleteFont(font);
    fonts().clear();
}

} // namespace

std::wstring widen(std::string_view text) {
    const std::size_t end = text.find('\0');
    if (end != std::string_view::npos) text = text.substr(0, end);
    if (text.empty()) return {};
    const int n = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(n > 0 ? n : 0), L'\0');
    if (n > 0) MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
    return wide;
}

gp::GpFontFamily* font_family(const std::string& name) {
    if (!started()) return nullptr;
    auto it = families().find(name);
    if (it != families().end()) return it->second;
    gp::GpFontFamily* family = nullptr;
    if (name == kFallbackName) {
        if (flat::GdipGetGenericFontFamilySansSerif(&family) != gp::Ok) family = nullptr;
    } else {
        family = installed_family(name.c_str());
    }
    for (const StandIn& s : kStandIns) {
        if (family || lstrcmpiA(s.family, name.c_str()) != 0) continue;
        for (const char* face : s.faces)
            if (face && !family) family = installed_family(face);
    }
    families()[name] = family;
    return family;
}

gp::GpFont* gdip_font(const Font& font, gp::GpStatus* status) {
    const FontKey key{font.family, font.size, static_cast<int>(font.style), static_cast<int>(font.unit)};
    auto it = fonts().find(key);
    if (it != fonts().end()) {
        *status = gp::Ok;
        return it->second;
    }
    gp::GpFontFamily* family = font_family(font.family);
    if (!family) family = font_family(kFallbackName);
    if (!family) {
        *status = gp::FontFamilyNotFound;
        return nullptr;
    }
    gp::GpFont* made = nullptr;
    *status = flat::GdipCreateFont(family, font.size, key.style, static_cast<gp::Unit>(font.unit), &made);
    if (*status != gp::Ok) return nullptr;
    if (fonts().size() >= kMaxFonts) release_fonts();
    fonts()[key] = made;
    return made;
}

void release_font_families() {
    release_fonts();
    for (auto& [name, family] : families())
        if (family) flat::GdipDeleteFontFamily(family);
    families().clear();
}

} // namespace win

FontFamily::FontFamily(std::string_view name) {
    const std::string wanted(name);
    // Without a running GDI+ nothing can be asked: the module's own families
    // are taken as found, as they are on every machine it supports.
    bool found = false;
    if (started()) {
        found = !wanted.empty() && win::font_family(wanted) != nullptr;
    } else {
        for (const char* known : {"Arial", "HW Arial", "Tahoma", "Courier New"})
            found = found || lstrcmpiA(known, wanted.c_str()) == 0;
    }
    if (found) {
        name_ = wanted;
    } else {
        status_ = Status::FontFamilyNotFound;
        name_ = win::kFallbackName;
    }
    face_ = name_;
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
