// Panel files in the simulator's panel configuration syntax:
//
//   [Window00]
//   gauge00=orvex1!HW_B737_ND, 0, 0, 400, 480, VC
//
// Each gaugeNN key of a [WindowNN] section places one gauge instance:
// module!gauge, x, y, then optionally width and height (both left empty:
// the gauge's own size), then the parameter text (everything after the fifth
// field, as written). Other sections and
// other keys are the simulator's and are skipped. Comment lines start with
// ';' or "//".
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace host {

// The syntax above, for `orvex-sim --help`.
const char* panel_syntax_help();

struct PanelPlacement {
    int line = 0;       // line of the gauge key, for messages
    std::string window; // section name as written ("Window00")
    std::string key;    // "gauge00"
    std::string module; // "orvex1"
    std::string gauge;  // "HW_B737_ND"
    int x = 0;
    int y = 0;
    int width = 0; // 0 when not given: the gauge's bitmap size is used
    int height = 0;
    std::string parameters; // empty when not given
    // The pop-up window the section names with "ident=" (4001 .. 4025);
    // 0 for the main panel window.
    uint32_t window_ident = 0;
};

struct PanelFile {
    std::string path;
    std::vector<PanelPlacement> placements;
};

// Parse errors read "path:line: message".
bool parse_panel_text(const std::string& path, const std::string& text, PanelFile& panel, std::string& error);
bool read_panel_file(const std::string& path, PanelFile& panel, std::string& error);

// Reads a whole regular file, without a UTF-8 byte-order mark at its start;
// false when it is none or cannot be opened.
bool read_text_file(const std::string& path, std::string& text);
// What the path names when that is no regular file ("a folder", "a FIFO",
// "a socket", "a device"), which no reader takes for one; empty for a
// regular file and for a path that names nothing.
std::string not_a_file(const std::string& path);

} // namespace host
