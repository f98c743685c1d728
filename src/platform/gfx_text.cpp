// Text of the drawing layer: Windows-1252 widening and the layout of a string
// in a point or a box, as GDI+ lays it out: a pad of 1/6 em before and after
// each line, lines one line spacing apart with the first baseline one ascent
// below the top, trailing blanks not measured, words wrapped at the box width.
#include "platform/gfx_detail.h"

namespace gfx::detail {

namespace {

// Code points of bytes 0x80 to 0x9F; the five unassigned bytes keep their
// value, as the system conversion does.
constexpr uint16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

void append_utf8(std::string& out, uint32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

std::string_view trim_trailing_blanks(std::string_view s) {
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    return s;
}

struct Measurer {
    const Font& font;
    double em;
    bool measure_trailing;
    double width(std::string_view line) const {
        return text_advance(font.face, font.style, em, measure_trailing ? line : trim_trailing_blanks(line));
    }
};

// Greedy word wrap of one paragraph at `avail` world units; a word longer
// than a line is broken between characters.
void wrap_paragraph(std::string_view para, const Measurer& m, double avail, std::vector<std::string>& lines) {
    std::string line;
    std::size_t i = 0;
    while (i < para.size()) {
        // Next token: a run of blanks or a word.
        std::size_t j = i;
        const bool blank = para[i] == ' ';
        while (j < para.size() && (para[j] == ' ') == blank)
            ++j;
        const std::string_view token = para.substr(i, j - i);
        i = j;
        if (blank) {
            if (!line.empty()) line.append(token);
            continue;
        }
        if (m.width(line + std::string(token)) <= avail) {
            line.append(token);
            continue;
        }
        if (!trim_trailing_blanks(line).empty()) {
            lines.emplace_back(line);
            line.clear();
        }
        if (m.width(token) <= avail) {
            line.assign(token);
            continue;
        }
        // Break the word between characters (UTF-8 sequences kept whole).
        std::size_t k = 0;
        while (k < token.size()) {
            std::size_t next = k + 1;
            while (next < token.size() && (static_cast<unsigned char>(token[next]) & 0xC0) == 0x80)
                ++next;
            const std::string candidate = line + std::string(token.substr(k, next - k));
            if (!line.empty() && m.width(candidate) > avail) {
                lines.emplace_back(line);
                line.assign(token.substr(k, next - k));
            } else {
                line = candidate;
            }
            k = next;
        }
    }
    lines.emplace_back(line);
}

} // namespace

std::string cp1252_to_utf8(std::string_view text) {
    std::string out;
    cp1252_to_utf8(text, out);
    return out;
}

void cp1252_to_utf8(std::string_view text, std::string& out) {
    // Most texts are plain ASCII, which is UTF-8 as it stands.
    std::size_t plain = 0;
    while (plain < text.size() && text[plain] != 0 && static_cast<unsigned char>(text[plain]) < 0x80)
        ++plain;
    if (plain == text.size()) {
        out.assign(text);
        return;
    }
    out.clear();
    out.reserve(text.size() + text.size() / 4);
    for (char c : text) {
        const auto b = static_cast<unsigned char>(c);
        if (b == 0) break; // the drawing calls take terminated wide text
        if (b < 0x80) {
            out.push_back(c);
        } else if (b < 0xA0) {
            append_utf8(out, kCp1252High[b - 0x80]);
        } else {
            append_utf8(out, b);
        }
    }
}

void layout_text(std::string_view text, const Font& font, const RectF& layout, const StringFormat& format,
                 TextLayout* out) {
    const double em = font.em_size();
    out->em = static_cast<float>(em);
    const FontMetrics metrics = font_metrics(font.face, font.style);
    const double pad = em / 6.0;
    const double line_height = metrics.line_spacing * em;
    const double ascent = metrics.ascent * em;
    const Measurer measurer{font, em, (format.flags & StringFormatFlagsMeasureTrailingSpaces) != 0};

    // The lines are laid into the layout's own buffers, which a Graphics
    // keeps from one text to the next.
    std::string& utf8 = out->utf8;
    cp1252_to_utf8(text, utf8);
    std::size_t count = 0;
    auto add_line = [&](std::string_view line) {
        if (count == out->lines.size()) out->lines.emplace_back();
        out->lines[count++].utf8.assign(line);
    };
    const bool wrap = layout.width > 0.0f && (format.flags & StringFormatFlagsNoWrap) == 0;
    const double avail = layout.width - 2.0 * pad;
    if (!utf8.empty()) {
        std::size_t start = 0;
        while (true) {
            const std::size_t nl = utf8.find('\n', start);
            std::string_view para = std::string_view(utf8).substr(
                start, nl == std::string::npos ? std::string::npos : nl - start);
            if (!para.empty() && para.back() == '\r') para.remove_suffix(1);
            if (wrap) {
                std::vector<std::string> wrapped;
                wrap_paragraph(para, measurer, avail, wrapped);
                for (const std::string& line : wrapped)
                    add_line(line);
            } else {
                add_line(para);
            }
            if (nl == std::string::npos) break;
            start = nl + 1;
        }
    }
    out->lines.resize(count);

    StringAlignment horizontal = format.alignment;
    if (format.flags & StringFormatFlagsDirectionRightToLeft) {
        if (horizontal == StringAlignment::Near)
            horizontal = StringAlignment::Far;
        else if (horizontal == StringAlignment::Far)
            horizontal = StringAlignment::Near;
    }
    const double total = line_height * static_cast<double>(count);
    double top = layout.y;
    if (format.line_alignment == StringAlignment::Center) top = layout.y + layout.height / 2.0 - total / 2.0;
    if (format.line_alignment == StringAlignment::Far) top = layout.y + layout.height - total;

    double left = 0.0, right = 0.0;
    for (std::size_t i = 0; i < count; ++i) {
        TextLine& line = out->lines[i];
        const double w = measurer.width(line.utf8);
        double x = layout.x + pad;
        if (horizontal == StringAlignment::Center) x = layout.x + layout.width / 2.0 - w / 2.0;
        if (horizontal == StringAlignment::Far) x = layout.x + layout.width - pad - w;
        line.x = static_cast<float>(x);
        line.width = static_cast<float>(w);
        line.baseline = static_cast<float>(top + line_height * static_cast<double>(i) + ascent);
        if (i == 0 || x - pad < left) left = x - pad;
        if (i == 0 || x + w + pad > right) right = x + w + pad;
    }
    if (out->lines.empty())
        out->box = RectF{layout.x, layout.y, 0.0f, 0.0f};
    else
        out->box = RectF{static_cast<float>(left), static_cast<float>(top), static_cast<float>(right - left),
                         static_cast<float>(total)};
    out->clipped =
        layout.width > 0.0f && layout.height > 0.0f && (format.flags & StringFormatFlagsNoClip) == 0;
    out->clip_rect = layout;
}

} // namespace gfx::detail
