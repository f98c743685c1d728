// Airport selection: an airport ident typed or loaded anywhere becomes plan
// data (origin or destination of the active or working plan), the selected
// airport's ident and elevation, or the runway list of the control units'
// airport pages with each runway's traffic-pattern side. And the tower view
// placed at the destination through the data link.
#pragma once

#include "data/airport_procedures.h"
#include "platform/bounded_table.h"

#include <string>

// A runway of the airport pages' list. Its localizer course is the runway's
// own heading where the airport line gives 0.
struct AirportRunwayListEntry : AirportRunway {
    int right_pattern = 0; // 1 = right-hand traffic pattern
};

// Entries 1..count(), at most 22.
extern BoundedTable<AirportRunwayListEntry, 23> airport_runway_list;
// The first list entry the airport page shows; the entry on line n (from 1)
// is airport_runway_first_row + n - 1.
extern int airport_runway_first_row;
// The line selected on a control unit's airport page; -999 = none. With
// airport_runway_first_row, both as they were when the runway was picked.
extern int airport_runway_selected_line;
inline constexpr int kNoRunwayLine = -999;
// The runway list entry picked (1..count), or -999 when none is picked or the
// pick lies outside the list.
int selected_runway_entry();
// The list entry in the first row of the MCU airport page: its own scroll,
// apart from the pick; every airport selection starts it at 1.
extern int mcu_apt_top;

// Set by the origin and destination selections (with the runway list).
extern std::string selected_airport_ident;
extern std::string selected_airport_elevation_text; // its elevation token
// Set by the three destination selections.
extern std::string selected_destination_ident;
extern std::string selected_destination_elevation_text; // its elevation token
extern int airport_page_refresh;                        // 1 once a runway list was built

// What select_airport makes of the airport. An airport in neither "apts.txt"
// nor "apts_user.txt" changes nothing. Appends are refused on a full plan.
inline constexpr int kSelectAirportOrigin = 0;               // with the runway list
inline constexpr int kSelectAirportDestination = 1;          // with the runway list
inline constexpr int kSelectAirportDestinationElevation = 2; // ident and elevation only
inline constexpr int kSelectAirportActiveOrigin = 3;
inline constexpr int kSelectAirportActiveDestination = 4; // appended to the active plan
inline constexpr int kSelectAirportWorkingOrigin = 5;
inline constexpr int kSelectAirportWorkingAppend = 6; // appended to the working plan
void select_airport(const std::string& ident, int mode);

// Moves the simulator's tower viewpoint to the active plan's last airport:
// from its section of "apt_additional_info.txt", else near the runway selected
// on the airport page, else at the airport 100 ft above its elevation. Does
// nothing without the data link.
void set_tower_view();

// The tower position set_tower_view sends, before the data link.
struct TowerView {
    double latitude = 0.0;  // degrees
    double longitude = 0.0; // degrees
    double altitude_ft = 0.0;
};
TowerView tower_view_position();
