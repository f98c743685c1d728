// The navigation database: intersections, airway fixes, airports and navaids
// from "\orvex\navdata\", each base file followed by its "_user" companion.
#pragma once

#include "data/nav_table.h"
#include "platform/bounded_table.h"

#include <string>
#include <string_view>

// Records 1..count(); the capacities are the highest record numbers.
extern NavTable<300001> intersection_table;
extern NavTable<150001> airway_fix_table;
extern NavTable<25001> airport_table;
extern NavTable<30001> navaid_table;

// The first record each "_user" companion gave (those before came from the
// base file); 0 when it gave none.
inline int intersection_user_first = 0;
inline int airport_user_first = 0;
inline int navaid_user_first = 0;

// Warnings about tables nearing their limits, 1..count() (at most 400).
extern BoundedTable<std::string, 401> warning_messages;

// One run of navaids whose idents begin with one character (or are empty).
struct NavaidIndexEntry {
    std::string letter;
    int first_record = 0;
};
// Entries 1..count(), at most 74.
extern BoundedTable<NavaidIndexEntry, 75> navaid_letter_index;

// Raised by every load_nav_database, so that what is built over the tables
// (the nearby-list grids) knows when to build again. Code that refills a
// table by other means (tests) raises it too.
inline int nav_database_generation = 0;

// Writes the magnetic model's coefficient text, then empties the four tables
// (keeping their storage) and reads the files again; a file that cannot be
// opened is skipped. Then builds the navaid letter index.
void load_nav_database();

void build_navaid_letter_index();

// The number of the navaid with this ident in the first run of its first
// letter, of the given kind ("INT" or empty: a VOR; else the kind's first
// letter) and with the same whole degrees of latitude; 0 when none.
int find_navaid(std::string_view ident, std::string_view kind, double latitude);
