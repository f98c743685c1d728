// What the DEPARTURE, ARRIVAL and APCH pages share: the cursor keys that
// move the highlight over a choice list of twelve entries a page, the list
// drawn in two columns of six rows with the highlighted entry copied into
// the scratchpad, the waypoint preview with its SELECT and ERASE questions,
// and the markers beside the keys that reach the entries of a list page.
#pragma once

#include "gns_mcu/gns_page_draw.h"

#include <functional>
#include <set>
#include <string>
#include <vector>

struct ProcedureRecord;

inline constexpr int kGnsChoicesPerPage = 12;
inline constexpr int kGnsPreviewPerPage = 8;

// Smallest whole number not below a / b (0 for a <= 0).
int gns_ceil_div(int a, int b);

// A page position kept within 1..max(count, 1).
void gns_keep_page(int& page, int count);

// Which toggles a cursor key sets to 0 besides stepping its own.
enum class GnsCursorReset {
    LeftKeys,  // DEPARTURE: L3..L5 zero the other left keys, R3..R5 all left keys
    OtherFive, // ARRIVAL and APCH: each zeroes the other five cursor keys
};

// L3..L5 and R3..R5 (codes 3..5, 8..10): the first press highlights the
// upper row beside the key, the second the lower row, the third none. While
// a preview is shown the second press of L5 or R5 only withdraws its
// question. False for any other key.
bool gns_cursor_key(int lsk, bool preview_shown, GnsCursorReset reset);

// One entry of a choice list: as listed, as highlighted, and the raw text the
// highlight puts into the scratchpad.
struct GnsChoice {
    std::string shown;
    std::string highlighted;
    std::string raw;
};

// Draws page `page` of a list of `count` entries from y 160, the left column
// at left_x, the right one at x 292. The entry under gns_list_cursor is
// highlighted and its raw text copied into the scratchpad. Returns its
// number (first of the page + cursor - 1), whether it exists or not.
int gns_draw_choice_list(GnsPage& page, int page_number, int count, float left_x,
                         const std::function<GnsChoice(int)>& entry);

// The entries of the procedure pages' lists: a runway, a procedure's name
// and a transition, as listed and as highlighted.
GnsChoice gns_runway_choice(const std::string& runway);
GnsChoice gns_name_choice(const std::string& name);
GnsChoice gns_transition_choice(const std::string& transition);

// The entries of a list, as the page counts take them.
inline int gns_count(const std::vector<std::string>& list) {
    return static_cast<int>(list.size());
}

// gns_draw_choice_list over a list of names, each entry made by `make`.
// Returns the list's size.
int gns_draw_names(GnsPage& page, int page_number, const std::vector<std::string>& names, float left_x,
                   GnsChoice (*make)(const std::string&));

// Entries on page `page_number` of a list of `count` (0..per_page).
int gns_entries_on_page(int page_number, int count, int per_page);

// Markers beside the keys that reach the entries of a list page: left keys
// L3, L4, L5 from 1, 3, 5 entries, right keys R3, R4, R5 from 7, 9, 11.
void gns_draw_list_markers(GnsPage& page, int entries, const char* left, const char* right);

// Page `page_number` of a preview of `count` waypoints, eight a page, four
// rows of two columns from y 200 (left x 30, right x 292); each waypoint
// drawn by draw(i, x, y).
void gns_draw_preview(int page_number, int count, const std::function<void(int, float, float)>& draw);

// "SELECT" and "ERASE" on the last row, boxed with a question mark while the
// L5 or the R5 toggle asks them.
void gns_draw_select_erase(GnsPage& page);

// The airport at the top right: the open entry on its box while the R1
// toggle is 1, else the airport in its colour.
void gns_draw_airport_field(GnsPage& page, const std::string& airport, gfx::Argb color);

// The runway as its lines show it: "RW" before a chosen one, "------" as it
// stands.
std::string gns_runway_text(const std::string& runway);

// ENT takes a list field from the highlighted entry: with none highlighted
// on the page shown, the scratchpad names nothing of the list.
bool gns_no_choice(int page_number, int count);

// The fields every procedure page shows above its lists: the title, the
// airport, the page count, the runway and two more rows (each yellow while
// its key's list is open: R2 at 1 the second, at 2 the third), and the
// airport prompt while no airport is set.
struct GnsProcedureFields {
    const char* title;
    const std::string& airport;
    gfx::Argb airport_color;
    int page_number;
    int page_count;
    bool airport_set;
    bool runway_open;
    const std::string& runway;
    const char* second;
    const std::string& second_value;
    const char* third;
    const std::string& third_value;
};
void gns_draw_procedure_fields(GnsPage& page, const GnsProcedureFields& f);

// A procedure's waypoint preview under its heading, with SELECT and ERASE.
void gns_draw_procedure_preview(GnsPage& page, const char* heading, int page_number, int count,
                                const std::function<void(int, float, float)>& draw);

// Entries of the open choice list of a procedure page; -1 with none open.
// R1 at 2 opens the runways, R2 at 1 the second row's list, at 2 the third's.
int gns_open_list_count(int runways, int second_row, int third_row);

// The distinct transition names of a procedure, the junction's own included.
std::set<std::string> gns_transition_names(const ProcedureRecord& procedure);
