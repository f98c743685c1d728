#include "panel_file.h"

#include "host_text.h"
#include "sim_state.h"

#include <cctype>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

namespace host {

const char* panel_syntax_help() {
    return "  [Window00]\n"
           "  gauge00=MODULE!GAUGE, X, Y[, WIDTH, HEIGHT[, PARAMETERS]]\n"
           "    Each gaugeNN key of a [WindowNN] section places one gauge at (X, Y); WIDTH and\n"
           "    HEIGHT left out (or empty) give the gauge's own size; PARAMETERS is the rest of\n"
           "    the line as written (an aircraft name, say). An ident=N key (4001 to 4025) makes\n"
           "    the section pop-up window N: its gauges are drawn only while that window is open\n"
           "    (script: window open N). Other sections and keys are skipped; comment lines\n"
           "    start with ';' or \"//\".\n";
}

namespace {

// "Window" or "gauge" followed by one or more digits, without regard to case.
bool is_numbered(const std::string& text, const std::string& word) {
    if (text.size() <= word.size() || !istarts_with(text, word)) return false;
    for (std::size_t i = word.size(); i < text.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(text[i]))) return false;
    }
    return true;
}

bool fail(std::string& error, const std::string& path, int line, const std::string& message) {
    error = path + ":" + std::to_string(line) + ": " + message;
    return false;
}

bool parse_coordinate(const std::string& text, const char* what, int& value, std::string& message) {
    int64_t v = 0;
    if (!parse_int64(text, v) || v < -100000 || v > 100000) {
        message = std::string("bad ") + what + " '" + text + "'";
        return false;
    }
    value = static_cast<int>(v);
    return true;
}

// Parses the value of a gauge key into the placement; false with a message.
bool parse_gauge_value(const std::string& value, PanelPlacement& p, std::string& message) {
    std::vector<std::string> fields = split(value, ',');
    std::string target = fields[0];
    std::size_t bang = target.find('!');
    if (bang == std::string::npos || bang == 0 || bang + 1 == target.size()) {
        message = "expected module!gauge, got '" + target + "'";
        return false;
    }
    p.module = trim(target.substr(0, bang));
    p.gauge = trim(target.substr(bang + 1));
    if (fields.size() < 3) {
        message = "expected module!gauge, x, y[, width, height[, parameters]]";
        return false;
    }
    if (!parse_coordinate(fields[1], "x", p.x, message) || !parse_coordinate(fields[2], "y", p.y, message))
        return false;
    if (fields.size() == 4) {
        message = "width given without height";
        return false;
    }
    if (fields.size() >= 5 && !(fields[3].empty() && fields[4].empty())) {
        if (!parse_coordinate(fields[3], "width", p.width, message) ||
            !parse_coordinate(fields[4], "height", p.height, message))
            return false;
        if (p.width <= 0 || p.height <= 0) {
            message = "width and height must be positive";
            return false;
        }
    }
    if (fields.size() >= 6) {
        // The parameter text is everything after the fifth field, commas included.
        std::size_t at = 0;
        for (int commas = 0; commas < 5; ++commas)
            at = value.find(',', at) + 1;
        p.parameters = trim(value.substr(at));
    }
    return true;
}

} // namespace

bool read_text_file(const std::string& path, std::string& text) {
    std::error_code failed;
    if (!std::filesystem::is_regular_file(path, failed)) return false;
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream content;
    content << in.rdbuf();
    text = content.str();
    // Editors that save UTF-8 may begin the file with a byte-order mark.
    if (text.rfind("\xEF\xBB\xBF", 0) == 0) text.erase(0, 3);
    return true;
}

bool parse_panel_text(const std::string& path, const std::string& text, PanelFile& panel,
                      std::string& error) {
    panel = PanelFile{};
    panel.path = path;
    std::istringstream in(text);
    std::string raw;
    std::string section;
    bool window_section = false;
    int line_number = 0;
    std::map<std::string, uint32_t> window_idents;
    while (std::getline(in, raw)) {
        ++line_number;
        std::string line = trim(raw);
        if (line.empty() || line[0] == ';' || line.rfind("//", 0) == 0) continue;
        if (line[0] == '[') {
            if (line.back() != ']') return fail(error, path, line_number, "section name without ']'");
            section = trim(line.substr(1, line.size() - 2));
            if (section.empty()) return fail(error, path, line_number, "empty section name");
            window_section = is_numbered(section, "Window");
            continue;
        }
        std::size_t equals = line.find('=');
        if (equals == std::string::npos)
            return fail(error, path, line_number, "expected key=value or [section], got '" + line + "'");
        std::string key = trim(line.substr(0, equals));
        if (key.empty()) return fail(error, path, line_number, "empty key");
        if (window_section && iequals(key, "ident")) {
            uint32_t ident = 0;
            const std::string value = trim(line.substr(equals + 1));
            std::size_t used = 0;
            try {
                ident = static_cast<uint32_t>(std::stoul(value, &used));
            } catch (...) {
                used = 0;
            }
            if (used == 0 || used != value.size())
                return fail(error, path, line_number, "ident '" + value + "' is not a number");
            if (ident == 0 || !is_panel_window(ident))
                return fail(error, path, line_number,
                            "ident " + value + " is not a pop-up window (4001 to 4025)");
            window_idents[to_lower(section)] = ident;
            continue;
        }
        if (!is_numbered(key, "gauge")) continue;
        if (section.empty())
            return fail(error, path, line_number, "'" + key + "' before any [WindowNN] section");
        if (!window_section)
            return fail(error, path, line_number,
                        "'" + key + "' in [" + section + "]: gauges are placed in [WindowNN] sections");
        for (const PanelPlacement& other : panel.placements) {
            if (iequals(other.window, section) && iequals(other.key, key))
                return fail(error, path, line_number,
                            "'" + key + "' given twice in [" + section + "] (first on line " +
                                std::to_string(other.line) + ")");
        }
        PanelPlacement p;
        p.line = line_number;
        p.window = section;
        p.key = key;
        std::string message;
        if (!parse_gauge_value(line.substr(equals + 1), p, message))
            return fail(error, path, line_number, message);
        panel.placements.push_back(p);
    }
    for (PanelPlacement& p : panel.placements)
        if (auto it = window_idents.find(to_lower(p.window)); it != window_idents.end())
            p.window_ident = it->second;
    return true;
}

std::string not_a_file(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code failed;
    switch (fs::status(path, failed).type()) {
    case fs::file_type::regular:
    case fs::file_type::not_found:
    case fs::file_type::none:
        return "";
    case fs::file_type::directory:
        return "a folder";
    case fs::file_type::fifo:
        return "a FIFO";
    case fs::file_type::socket:
        return "a socket";
    case fs::file_type::block:
    case fs::file_type::character:
        return "a device";
    default:
        return "no regular file";
    }
}

bool read_panel_file(const std::string& path, PanelFile& panel, std::string& error) {
    std::string text;
    // A folder opens as an empty file on some systems and not at all on
    // others; a FIFO or a device would hold the reader until it is written.
    if (const std::string what = not_a_file(path); !what.empty()) {
        error = path + ": names " + what + ", not a panel file";
        return false;
    }
    if (!read_text_file(path, text)) {
        error = path + ": cannot open panel file";
        return false;
    }
    return parse_panel_text(path, text, panel, error);
}

} // namespace host
