// The airport slots: an airport's position, runways and procedure tables.
// Slot 1 holds the origin and its SIDs, slot 2 the destination with its STARs
// and approaches. Every table is used from index 1; its capacity is one less
// than its number of slots, and a table costs only what has been loaded.
#pragma once

#include "platform/bounded_table.h"

#include <array>
#include <string>

// One leg of a SID, STAR or approach.
struct ProcedureLeg {
    std::string transition;         // transition the leg belongs to; the junction leg carries its own fix
    std::string fix;                // fix ident, or the label of a coded leg ("HD090")
    std::string fix_role;           // approaches: "IAF", "FAF", "MAP", ...
    std::string constraint_text;    // altitude constraint as written
    std::string runway_restriction; // runway text of the leg
    double latitude = 0.0;
    double longitude = 0.0;
    std::string first_code_text;  // approaches: one character
    std::string second_code_text; // approaches: one character
    std::string approach_name;    // approaches: the approach's name
    std::string marker;           // "*" on the last leg of the common part
    int flyover = 0;
};

// One SID, STAR or approach (or an approach group: a name only).
struct ProcedureRecord {
    std::string name;
    std::string second_text;            // approaches: the approach name
    std::string runway_transition_list; // comma-separated runways or transitions
    std::string runway;
    BoundedTable<ProcedureLeg, 401> legs; // legs 1 .. legs.count(), at most 400
};

struct AirportRunway {
    std::string designator;
    double latitude = 0.0; // reference point
    double longitude = 0.0;
    int length_ft = 0;
    std::string info_text;
    std::string localizer_frequency_text;
    double magnetic_heading = 0.0;
    double localizer_course = 0.0;
    double reciprocal_heading = 0.0;
};

// A STAR entry point (transition name or the fix where the common part
// begins); the number is the selection pages' own.
struct StarEntry {
    std::string text;
    int number = 0;
};

struct AirportProcedures {
    double airport_latitude = 0.0;
    double airport_longitude = 0.0;
    std::string latitude_text; // "N51:28:39"
    std::string longitude_text;
    std::string airport_ident;
    std::string airport_name;
    BoundedTable<AirportRunway, 23> runways; // at most 22

    BoundedTable<ProcedureRecord, 91> stars;             // at most 90
    BoundedTable<ProcedureRecord, 141> sids;             // at most 140
    BoundedTable<ProcedureRecord, 141> approaches;       // at most 140
    BoundedTable<ProcedureRecord, 21> approach_groups;   // at most 20 names
    BoundedTable<StarEntry, 121> star_entry_list;        // at most 120
    BoundedTable<std::string, 250> star_transition_list; // "STAR.TRANSITION", at most 249
    BoundedTable<std::string, 41> iaf_list;              // the approach pickers' IAF list
    // The procedure pickers' lists: the runways that suit a procedure, and the
    // SID names (origin) or STAR names (destination) that suit a runway.
    BoundedTable<std::string, 23> runway_list;          // at most 22
    BoundedTable<std::string, 101> procedure_name_list; // at most 100

    int elevation_ft = 0;
};

// Slots 0 .. 3; 1 is the origin, 2 the destination.
inline std::array<AirportProcedures, 4> airport_slots;
inline constexpr int origin_slot = 1;
inline constexpr int destination_slot = 2;

// Magnetic variation (whole degrees, east positive) at the origin and at the
// destination, set by the procedure loaders for the leg expanders.
inline double origin_magnetic_variation = 0.0;
inline double destination_magnetic_variation = 0.0;

// The position a coded leg is measured from (its DME point), published by the
// loaders just before each expander call.
inline double leg_reference_lat = 0.0;
inline double leg_reference_lon = 0.0;

// The arrival pages' approach list: one entry per approach name and runway.
struct ApproachFixEntry {
    std::string approach_name;
    std::string runway;
};
inline BoundedTable<ApproachFixEntry, 51> approach_fix_list; // at most 50
