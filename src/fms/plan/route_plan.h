// The plan room of the core: the active, working and preview plans and their
// RTE rows, the route state behind the EXEC lamp and the modification EXEC
// and ERASE act on, the edits the control units make (waypoint entry,
// airways, holds, deletions), the selection texts, the vertical state, the
// flight log, fuel loading and the state of the per-frame update: what every
// room above reads and writes. This header holds the plan model itself.
//
// The flight-plan model: the active plan that is flown, the working plan that
// the pages edit (EXEC copies it back) and the preview plan of the route-file
// list, with the RTE page rows derived from the working plan.
#pragma once

#include "fms/plan/plan_choices.h"
#include "fms/units/plan_cursor.h"
#include "platform/bounded_table.h"

#include <cstddef>
#include <string>

// An altitude, speed or course a leg does not have.
inline constexpr double kNoConstraint = -999.0;

// What a plan entry is (entry_kind, fms/plan/plan_legs.h). A marker's kind
// is stored with the entry by the code that makes it (make_marker); pages and
// files show and write its text ("DISCO", "THEN", "******", "---").
enum class EntryKind {
    Place,              // a waypoint, navaid or airport
    Gap,                // a discontinuity without a position
    PlacedGap,          // a discontinuity that carries the next fix's position
    AirwayThen,         // an airway whose exit is still to be entered
    DestinationToEnter, // an entry with no identifier: the destination not yet typed
    EndMark,            // the GNS list's end mark
    Placeholder,        // the GNS origin not yet entered
};

// Who set an entry's altitude constraint: nobody, the pilot (typed on a
// LEGS page or loaded with a route) or a procedure (an approach leg). Its
// values are the flag the published plan has always carried.
enum class AltitudeKind : int { None = 0, Pilot = 1, Procedure = 3 };

// One waypoint or leg of a plan. A cleared entry reads like a default one.
struct RouteWaypoint {
    std::string ident; // fix, or "DIRECT", "DISCO", "THEN", "------"
    double lat = 0.0;
    double lon = 0.0;
    std::string type;     // "APT", "VOR", "NDB", "INT", "WPT"; or a record kind
    std::string via;      // airway of the leg ending here; empty = direct
    std::string kind;     // "SID", "STAR", "SIDSTAR", "APPR"; empty en route
    std::string position; // departure position; stays with its array slot
    std::string aux_text;
    std::string passing_time;                // "%02.0f:%02.0f"; published only (entry_marks.h)
    double alt_constraint = kNoConstraint;   // ft; -999 = none
    double speed_constraint = kNoConstraint; // kt; -999 = none
    double course = kNoConstraint;           // magnetic course of a course leg; above -1 = has one
    int flyover = 0;
    AltitudeKind altitude_kind = AltitudeKind::None; // whose constraints apply
    int hold_number = 0; // slot of the attached hold, 0 = none; published only (hold_mark)
    std::string frequency;
    // The entry's identity, kept through copies between the plans and the
    // edits that move it; given by the edit that writes the entry
    // (fms/plan/plan_edit.h). 0 only outside a plan (a candidate, a blank).
    int id = 0;
    // A marker's kind, made with its text; Place for every other entry.
    EntryKind marker = EntryKind::Place;
};

// Indices 0 (the origin) to 200; the last used index is kept with each plan,
// -1 when the plan is empty. Read entries with [i]; an index outside the plan
// reads empty and its writes are discarded.
inline constexpr int kPlanLastIndex = 200;

class PlanTarget;

// A plan's entries. Most plans (the working and preview plans, each stored
// route) keep only the entries written so far; the active, working and
// preview plans are arrays of all 201 entries that never move. Entries are
// written only inside a PlanEdit (fms/plan/plan_edit.h), which keeps ids, the
// TO, holds and cursors right. Predictions, passing times and hold marks stand
// beside the plan by entry id (fms/plan/entry_marks.h, fms/plan/holds.h): an
// entry's passing_time and hold_number stay empty, its constraint fields hold
// only constraints.
class RoutePlan {
  public:
    static constexpr std::size_t slots = kPlanLastIndex + 1;

    RoutePlan() = default;
    // A plan kept in the given array of `slots` entries.
    explicit RoutePlan(RouteWaypoint* entries) : fixed_(entries) {}
    // A copy keeps its entries where it keeps them. The choices and the last
    // index go with the entries. A plan is written over whole only inside an
    // edit (PlanEdit::replace_with), which copies into the plan's own array.
    RoutePlan(const RoutePlan& other);
    RoutePlan(RoutePlan&& other) noexcept;

    const RouteWaypoint& operator[](std::size_t i) const;
    const RouteWaypoint& operator[](int i) const;
    // The last index; -1 when the plan is empty.
    constexpr const int& last() const { return last_; }

    // Entries actually stored (for memory checks).
    std::size_t stored() const;
    // The array of a plan kept in one; null otherwise.
    const RouteWaypoint* data() const { return fixed_; }

    // The procedure and approach choices made on this plan; written through
    // a ChoicesEdit (fms/plan/plan_choices.h).
    constexpr const PlanChoices& choices() const { return choices_; }

  private:
    friend class PlanEdit;
    friend class ChoicesEdit;
    // The tests' plan layouts (tests/fms/plan_builder.h).
    friend struct PlanBuilder;

    // Entry ids are the plan's own, given by the edit that writes the
    // entries. Entry i, made anew, gets an id no entry had.
    void give_new_id(int i);
    // Entries 0..last without an id get one, and so does an entry that
    // repeats the id of one after it (a copy a move left behind).
    void give_ids();

    // Entry i to write.
    RouteWaypoint& slot(std::size_t i);
    RouteWaypoint& slot(int i);
    // Every entry empty again; the choices stay.
    void clear();
    RoutePlan& operator=(const RoutePlan& other);
    RoutePlan& operator=(RoutePlan&& other) noexcept;

    RouteWaypoint* fixed_ = nullptr;
    int last_ = -1;
    PlanChoices choices_;
    BoundedTable<RouteWaypoint, slots> table_;
    RouteWaypoint scratch_;
};

// The flown plan: a type of its own that holds its plan rather than being
// one, so that no RoutePlan& (and so no ChoicesEdit of a RoutePlan) ever
// reaches it: its entries and choices change only inside an edit of it
// (PlanEdit, ChoicesEdit of that edit). It reads as a const RoutePlan.
class FlownPlan {
  public:
    explicit FlownPlan(RouteWaypoint* entries) : plan_(entries) {}
    FlownPlan(const FlownPlan&) = delete;
    FlownPlan& operator=(const FlownPlan&) = delete;

    constexpr const RoutePlan& plan() const { return plan_; }
    constexpr operator const RoutePlan&() const { return plan_; }
    const RouteWaypoint& operator[](std::size_t i) const { return plan_[i]; }
    const RouteWaypoint& operator[](int i) const { return plan_[i]; }
    constexpr const int& last() const { return plan_.last(); }
    std::size_t stored() const { return plan_.stored(); }
    const RouteWaypoint* data() const { return plan_.data(); }
    constexpr const PlanChoices& choices() const { return plan_.choices(); }

  private:
    friend PlanTarget active_target();
    friend struct PlanBuilder;

    RoutePlan plan_;
};

// The plans, and their last indices to read (a PlanEdit sets them).
extern FlownPlan active_plan;
extern const int& active_plan_last;
extern RoutePlan working_plan;
extern const int& working_plan_last;
extern RoutePlan preview_plan;
extern const int& preview_plan_last;

// The edit path's handle on a plan (fms/plan/plan_edit.h): on the working or
// preview plan the same as their own; on any other (a stored route, a file's
// waypoints) one that no TO or cursor follows. The flown plan has its own
// (active_target).
PlanTarget plan_target(RoutePlan& plan);

inline constexpr int kNoToWaypoint = 999;
struct GeoPosition {
    double lat = 0.0;
    double lon = 0.0;
};
// The TO: the entry of the active plan the aircraft flies to (kNoToWaypoint:
// no route is flown) and its position. It is the plan's own: an edit of the
// active plan puts it (PlanEdit::set_to, or the leg rule where the edit
// ends), and sequencing steps it by such an edit; the position is published
// with the plan (publish_flown_plan). Everything else reads
// to_waypoint_index and to_position.
class FlownTo {
  public:
    constexpr FlownTo() = default;
    FlownTo(const FlownTo&) = delete;
    FlownTo& operator=(const FlownTo&) = delete;
    constexpr const int& index() const { return index_; }
    constexpr const GeoPosition& position() const { return position_; }

  private:
    friend class PlanEdit;
    friend void publish_flown_plan();
    friend struct PlanBuilder;

    int index_ = kNoToWaypoint;
    GeoPosition position_;
};
extern FlownTo flown_to;
extern const int& to_waypoint_index;   // the TO's index in the active plan
extern const GeoPosition& to_position; // the TO's position
// Cursors on the plans (fms/units/plan_cursor.h), apart from this header,
// which the simulator stand-in reads for the entries' layout. Each is moved by
// its owner and the edit path only; every other file reads it.
// The LEGS/RTE edit position in the working plan: the GNS's pages move it
// (working_cursor, gns_mcu/gns_cursors.h).
extern const PlanCursor& working_cursor_index;
// The next constrained active entry (the vertical target): VNAV's to move
// (vertical_target_cursor, fms/perf/vnav_cursors.h), and the edit path's.
extern const PlanCursor& constraint_waypoint_index;
// Its working-plan twin, put by the edit path alone (working_edit_cursor,
// fms/plan/plan_cursors.h).
extern const PlanCursor& working_edit_index;

// The approach and runway that EXEC matched to the route; 0 = none.
extern int approach_record_index;
extern int approach_runway_index;

// One RTE page row: the last waypoint of the row and its airway or "DIRECT".
struct RouteRow {
    std::string to;
    std::string via;
};
// Rows 1..route_rows_last; row 0 stays empty.
extern BoundedTable<RouteRow, 201> route_rows;
extern int route_rows_last;

// Every field but position copied from one entry to another.
void copy_waypoint_fields(const RouteWaypoint& from, RouteWaypoint& to);
// Empties an entry (position stays).
void clear_waypoint(RouteWaypoint& entry);

// Empty entries 0..last and the rows; the last indices keep their values.
// Clearing the active plan also empties the hold list.
void clear_active_plan();
void clear_working_plan();

// The working plan becomes a copy of the active plan, with the TO and
// constraint indices and the holds' working indices.
void copy_active_plan_to_working();

// With no modification pending the working plan is the active plan; another
// unit's page may have used it meanwhile. Puts the active plan's entries and
// the holds' working indices back when they differ; the cursors stay.
void align_working_plan_with_active();

// Rebuilds route_rows from working entries 1..last - 1.
void build_route_rows();

// Clears the line-select toggles, the choice-list cursor and the
// list-changed flag of the GNS pages.
void reset_page_toggles();
