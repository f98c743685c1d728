// DIRECT by keys: the proposal flown direct, a forced turn, a typed
// identifier through DATABASE WPT, the closest-airport page and the limits of
// the plan table.
#include "gns_stand_in.h"

#include "data/module_settings.h"
#include "data/nav_database.h"
#include "fms/guidance/lateral_guidance.h"
#include "fms/math/nav_math.h"
#include "fms/nav/nearby_lists.h"
#include "fms/plan/gns_choices.h"
#include "fms/plan/holds.h"
#include "fms/plan/plan_legs.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/selection_texts.h"
#include "fms/plan_builder.h"
#include "fms/units/gns_unit_state.h"
#include "gns_mcu/gns_direct.h"
#include "sim/aircraft_state.h"

#include <algorithm>

namespace {

constexpr gfx::Argb kGreen = 0xFF00FA00;

struct Fix {
    const char* ident;
    double lat, lon;
    const char* type;
};

// The active plan of these fixes, flown towards entry `to`.
void set_active_plan(const std::vector<Fix>& fixes, int to) {
    for (std::size_t i = 0; i < fixes.size(); ++i) {
        RouteWaypoint& w = active_entry(static_cast<int>(i));
        w = RouteWaypoint{};
        w.ident = fixes[i].ident;
        w.lat = fixes[i].lat;
        w.lon = fixes[i].lon;
        w.type = fixes[i].type;
        w.marker = marker_of_text(w.ident); // as a route file gives a placeholder
    }
    set_active_last(static_cast<int>(fixes.size()) - 1);
    make_marker(active_entry(active_plan_last + 1), EntryKind::EndMark);
    set_flown_to(to);
    set_to_position(
        GeoPosition{fixes[static_cast<std::size_t>(to)].lat, fixes[static_cast<std::size_t>(to)].lon});
}

std::vector<std::string> active_idents() {
    std::vector<std::string> out;
    for (int i = 0; i <= active_plan_last; ++i)
        out.push_back(active_plan[i].ident);
    return out;
}

std::vector<host::KeyEvent> heading_events() {
    std::vector<host::KeyEvent> out;
    for (const host::KeyEvent& e : host::sim_state().key_events)
        if (e.id == 0x101FA) out.push_back(e);
    return out;
}

} // namespace

class GnsDirect : public GnsStandIn {
  protected:
    // A route far east of the aircraft, so that nothing is sequenced.
    void fly_example(int to) {
        set_active_plan({{"KSEA", 47.449, -122.309, "APT"},
                         {"AAA", 46.0, -110.0, "WPT"},
                         {"BBB", 45.0, -105.0, "WPT"},
                         {"KPDX", 45.588, -122.597, "APT"}},
                        to);
        frames(1);
    }
};

TEST_F(GnsDirect, TheProposalIsFlownDirectFromThePresentPosition) {
    fly_example(2);
    host::sim_state().key_events.clear();
    press("DIRECT");
    EXPECT_EQ(gns_state, GNS_DIRECT);
    EXPECT_EQ(text_at(90.0f, 0.0f), "DIRECT 1/2");
    EXPECT_EQ(text_at(30.0f, 80.0f), "TO "); // BBB proposed on the second row
    press("ENT");
    frames(1);

    EXPECT_EQ(active_idents(), (std::vector<std::string>{"KSEA", "AAA", "DIRECT", "BBB", "KPDX"}));
    EXPECT_EQ(active_plan_last, 4);
    EXPECT_EQ(to_waypoint_index, 3);
    const RouteWaypoint& direct = active_plan[2];
    EXPECT_EQ(direct.type, "WPT");
    EXPECT_EQ(direct.kind, "DCT");
    EXPECT_DOUBLE_EQ(direct.lat, aircraft_state.plat);
    EXPECT_DOUBLE_EQ(direct.lon, aircraft_state.plon);
    EXPECT_TRUE(heading_events().empty());
    EXPECT_EQ(text_at(90.0f, 0.0f), "ACTIVE FPL   1/1");
    const char* rows[] = {"DIRECT", "BBB", "KPDX"};
    for (int r = 0; r < 3; ++r) {
        const gfx::RecordedOp* op = op_at(96.0f, 40.0f * static_cast<float>(r + 1));
        ASSERT_NE(op, nullptr) << rows[r];
        EXPECT_EQ(op->text, rows[r]);
        EXPECT_EQ(op->color, kGreen);
    }
}

TEST_F(GnsDirect, ATurnAgainstTheShorterSideIsForcedByTheSelectedHeading) {
    struct Row {
        double heading, fix_lon;
        const char* choice;
        uint32_t selected_heading;
        int forced;
    };
    const Row rows[] = {
        {300.0, -1.0, "RIGHT", 100, 2}, {10.0, 1.0, "LEFT", 210, 1}, {10.0, 1.0, "RIGHT", 0, 0}};
    for (const Row& row : rows) {
        host::aircraft().lat_deg = 0.0;
        host::aircraft().lon_deg = 0.0;
        host::aircraft().magvar_deg = 0.0;
        host::aircraft().true_heading_deg = row.heading;
        set_active_plan({{"ORIG", 0.0, -5.0, "WPT"}, {"FIX", 0.0, row.fix_lon, "WPT"}}, 1);
        gns_state = GNS_FLIGHT_PLAN;
        frames(1);
        host::sim_state().key_events.clear();
        direct_to_turn_text = row.choice;
        press("DIRECT ENT");
        const std::vector<host::KeyEvent> events = heading_events();
        if (row.forced == 0) {
            EXPECT_TRUE(events.empty()) << row.choice;
        } else {
            ASSERT_EQ(events.size(), 1u) << row.choice;
            EXPECT_EQ(events[0].parameter, row.selected_heading);
        }
        EXPECT_EQ(direct_to_turn_direction, row.forced) << row.choice;
    }
}

TEST_F(GnsDirect, ATypedIdentifierIsInsertedThroughDatabaseWptAndFlown) {
    fly_example(2);
    press("DIRECT \"PAE\" ENT");
    EXPECT_EQ(gns_state, GNS_DATABASE_WPT);
    EXPECT_EQ(gns_return_state, GNS_DIRECT);
    press("ENT");
    EXPECT_EQ(gns_state, GNS_DIRECT);
    EXPECT_EQ(gns_direct_inserted, 1);
    // The waypoints before the proposal stay as they were.
    EXPECT_EQ(working_plan[1].ident, "AAA");
    EXPECT_EQ(working_plan[2].ident, "PAE");
    EXPECT_EQ(working_plan[3].ident, "BBB");
    press("ENT");
    EXPECT_EQ(active_idents(), (std::vector<std::string>{"KSEA", "AAA", "DIRECT", "PAE", "BBB", "KPDX"}));
    EXPECT_EQ(to_waypoint_index, 3);
    EXPECT_EQ(gns_state, GNS_FLIGHT_PLAN);

    // Typed on the end row (L3's first row), it goes in behind the last
    // waypoint and is flown.
    fly_example(2);
    press("DIRECT L3");
    ASSERT_EQ(gns_scratchpad, "******");
    press("\"PAE\" ENT ENT ENT");
    EXPECT_EQ(active_idents(), (std::vector<std::string>{"KSEA", "AAA", "BBB", "KPDX", "DIRECT", "PAE"}));
    EXPECT_EQ(to_waypoint_index, 5);

    // An identifier the database does not hold leaves DIRECT as it was.
    press("DIRECT \"QQQQQ\" ENT");
    EXPECT_EQ(gns_state, GNS_DIRECT);
    EXPECT_EQ(gns_scratchpad, "QQQQQ");
}

TEST_F(GnsDirect, ATypedFixAheadInTheRouteIsFlownToWhereItStands) {
    // KSEA SEA PAE OLM BTG KPDX, flown towards PAE; the aircraft far west.
    struct Row {
        const char* typed;
        std::vector<std::string> flown; // the active plan after ENT ENT ENT
        const char* to;
        bool passed = false; // the aircraft passes PAE after DIRECT, before the name is typed
    };
    const Row rows[] = {
        // Ahead: the legs before it are left behind, nothing is added.
        {"OLM", {"KSEA", "SEA", "PAE", "DIRECT", "OLM", "BTG", "KPDX"}, "OLM"},
        {"BTG", {"KSEA", "SEA", "PAE", "OLM", "DIRECT", "BTG", "KPDX"}, "BTG"},
        // The TO itself, as the proposal.
        {"PAE", {"KSEA", "SEA", "DIRECT", "PAE", "OLM", "BTG", "KPDX"}, "PAE"},
        // Passed while typed: still the row DIRECT proposed, not a second PAE.
        {"PAE", {"KSEA", "SEA", "DIRECT", "PAE", "OLM", "BTG", "KPDX"}, "PAE", true},
        // Behind the aircraft: put in at the cursor, as any other fix.
        {"SEA", {"KSEA", "SEA", "DIRECT", "SEA", "PAE", "OLM", "BTG", "KPDX"}, "SEA"},
    };
    const host::AircraftModel start = host::aircraft();
    for (const Row& row : rows) {
        host::aircraft() = start;
        set_active_plan({{"KSEA", 47.449, -122.309, "APT"},
                         {"SEA", 47.435400, -122.309700, "VOR"},
                         {"PAE", 47.919800, -122.277800, "VOR"},
                         {"OLM", 46.971700, -122.902500, "VOR"},
                         {"BTG", 45.747900, -122.591800, "VOR"},
                         {"KPDX", 45.588, -122.597, "APT"}},
                        2);
        frames(1);
        press("DIRECT");
        if (row.passed) {
            // Over PAE in the air, sequencing with LNAV off.
            host::aircraft().lat_deg = 47.9198;
            host::aircraft().lon_deg = -122.2778;
            host::aircraft().altitude_ft = 9000.0;
            host::aircraft().ias_kt = 250.0;
            const int sequencing = SequenceFPlanWpts;
            SequenceFPlanWpts = 1;
            frames(2);
            SequenceFPlanWpts = sequencing;
            ASSERT_EQ(active_plan[to_waypoint_index].ident, "OLM");
            host::aircraft().lat_deg = 48.1; // clear of PAE again, so that the direct leg is flown
        }
        press(std::string("\"") + row.typed + "\" ENT ENT ENT");
        frames(1);
        EXPECT_EQ(active_idents(), row.flown) << row.typed;
        EXPECT_EQ(active_plan[to_waypoint_index].ident, row.to) << row.typed;
        EXPECT_EQ(active_plan[to_waypoint_index - 1].ident, "DIRECT") << row.typed;
        EXPECT_EQ(gns_state, GNS_FLIGHT_PLAN) << row.typed;
    }
}

TEST_F(GnsDirect, TheClosestAirportPageListsTheNineNearestAndRefreshesOnlyAsItMust) {
    fly_example(2);
    press("DIRECT DIRECT");
    ASSERT_EQ(gns_direct_list_mode, kGnsDirectListClosestAirports);
    EXPECT_EQ(text_at(70.0f, 0.0f), "DIR CLOSEST ARP 2/2");

    // The nine nearest example airports from the whole table, nearest first.
    const AircraftState& a = aircraft_state;
    std::vector<std::pair<double, std::string>> all;
    for (int i = 1; i <= airport_table.count(); ++i) {
        double d = 0.0, c = 0.0;
        gc_dist_course(a.plat, a.plon, airport_table[i].latitude, airport_table[i].longitude, &d, &c);
        all.emplace_back(d, airport_table[i].ident);
    }
    std::stable_sort(all.begin(), all.end());
    ASSERT_GE(all.size(), 9u);
    for (int row = 1; row <= 9; ++row) {
        const NavListRecord& e = direct_list[static_cast<std::size_t>(10 - row)];
        EXPECT_EQ(e.ident, all[static_cast<std::size_t>(row - 1)].second) << "row " << row;
        EXPECT_GE(e.number_2, 0.5);
        EXPECT_LT(e.number_2, 360.5);
    }
    const std::string nearest = direct_list[9].ident;
    const double nearest_nm = direct_list[9].number_1;

    // 30 NM away the table stays; 60 NM away, or DIRECT-TO, it is rebuilt.
    host::aircraft().lat_deg += 0.5;
    frames(2);
    EXPECT_EQ(direct_list[9].number_1, nearest_nm);
    host::aircraft().lat_deg += 0.5;
    frames(2);
    EXPECT_NE(direct_list[9].number_1, nearest_nm);
    host::aircraft().lat_deg -= 1.0;
    frames(1);
    press("DIRECT DIRECT"); // route page, then the closest airports again
    EXPECT_EQ(direct_list[9].number_1, nearest_nm);

    // L1 chooses the nearest; ENT flies direct to it as the destination.
    press("L1");
    EXPECT_EQ(gns_scratchpad, nearest);
    press("ENT");
    EXPECT_EQ(active_plan_last, 1);
    EXPECT_EQ(active_plan[1].ident, nearest);
    EXPECT_EQ(active_plan[1].type, "APT");
    EXPECT_EQ(to_waypoint_index, 1);
    EXPECT_EQ(active_sel.arrival_airport, nearest);
    EXPECT_EQ(gns_state, GNS_FLIGHT_PLAN);
}

TEST_F(GnsDirect, RoutePagesCountEighteenRowsAndTheClosestAirportsFollow) {
    fly_example(2);
    press("DIRECT");
    // The list is the plan's entries 1..last and the end row behind them.
    const int lasts[][2] = {{0, 2}, {17, 2}, {18, 3}, {-1, 1}};
    for (const auto& row : lasts) {
        set_working_last(row[0]);
        frames(1);
        EXPECT_EQ(gns_direct_page_count, row[1]) << "last " << row[0];
    }
    // Three route pages: previous on page 1 shows page 4, the closest airports.
    set_working_last(40);
    gns_direct_page = 1;
    frames(1);
    press("PREV");
    EXPECT_EQ(gns_direct_page, 4);
    EXPECT_EQ(gns_direct_list_mode, kGnsDirectListClosestAirports);
}

TEST_F(GnsDirect, AFullPlanTakesNoDirectEntryAndSaysSo) {
    auto fixes_of = [](int last) {
        std::vector<Fix> fixes;
        for (int i = 0; i <= last; ++i)
            fixes.push_back({i == 0 ? "ORIG" : "WPT", 40.0 + 0.01 * i, -100.0, "WPT"});
        return fixes;
    };
    // The flown plan keeps its end mark: at most 200 entries, last 199.
    struct Row {
        int last;
        const char* keys;
        int last_after; // -1: refused, the plan as it was
    };
    const Row rows[] = {
        {198, "DIRECT ENT", 199},                 // the proposal: the DIRECT entry fits
        {197, "DIRECT \"PAE\" ENT ENT ENT", 199}, // a looked-up fix and the DIRECT entry
        {198, "DIRECT \"PAE\" ENT ENT", -1},      // no room for both
        {199, "DIRECT", -1},                      // a full plan: no direct-to at all
    };
    for (const Row& row : rows) {
        set_active_plan(fixes_of(row.last), 5);
        press("FPL");
        frames(1);
        press(row.keys);
        frames(1);
        if (row.last_after < 0) {
            EXPECT_EQ(active_plan_last, row.last) << row.keys;
            EXPECT_NE(op_of_text("INVALID ENTRY"), nullptr) << row.keys;
            EXPECT_EQ(gns_direct_inserted, 0) << row.keys;
        } else {
            EXPECT_EQ(active_plan_last, row.last_after) << row.keys;
            EXPECT_EQ(active_plan[5].ident, "DIRECT") << row.keys;
            EXPECT_EQ(to_waypoint_index, 6) << row.keys;
            EXPECT_EQ(op_of_text("INVALID ENTRY"), nullptr) << row.keys;
        }
        EXPECT_EQ(entry_kind(active_plan[active_plan_last + 1]), EntryKind::EndMark) << row.keys;
    }
}

TEST_F(GnsDirect, TheChosenFixIsFlownWhenTheOldToWasUnderTheAircraft) {
    // A route fix ahead that holds (BTG), and a diversion to the closest airport.
    for (const char* keys : {"DIRECT DIRECT L1", "DIRECT L2"}) {
        const bool route = std::string(keys) == "DIRECT L2";
        host::aircraft().lat_deg = 46.9;
        frames(1);
        // The TO (SEA) under the aircraft, measured with LNAV off.
        set_active_plan({{"KPDX", 45.588, -122.597, "APT"},
                         {"SEA", aircraft_state.plat, aircraft_state.plon, "VOR"},
                         {"BTG", 45.748, -122.592, "VOR"},
                         {"KBLI", 48.79, -122.54, "APT"}},
                        1);
        hold_list.clear();
        if (route) {
            hold_list.set_count(1);
            hold_list.slot(1).ident = "BTG";
            hold_list.slot(1).set_active_index(2);
        }
        lnav_engaged = 0;
        SequenceFPlanWpts = 0;
        frames(2);
        ASSERT_LT(distance_to_to_nm, 0.1);
        press(keys);
        const std::string chosen = gns_scratchpad.substr(0, gns_scratchpad.find_last_not_of(' ') + 1);
        lnav_engaged = 1;
        press("ENT");
        frames(1);
        EXPECT_EQ(active_plan[to_waypoint_index].ident, chosen) << keys;
        EXPECT_GT(distance_to_to_nm, 5.0) << keys;
        EXPECT_EQ(lnav_engaged, 1) << keys;
        if (route) { // the hold moved with its fix, still ahead
            ASSERT_EQ(hold_count(), 1);
            EXPECT_EQ(hold_list[1].active_index(), to_waypoint_index);
        }
    }
}

// A plan without an origin ("---" before the first airport): the placeholder
// goes and the plan keeps no entry past the chosen fix's route.
TEST_F(GnsDirect, APlaceholderOriginIsDroppedWithoutAnEntryBeyondTheRoute) {
    const struct {
        std::vector<Fix> fixes;
        std::vector<std::string> flown;
    } rows[] = {
        {{{"---", 0.0, 0.0, "WPT"}, {"KPDX", 45.588, -122.597, "APT"}}, {"DIRECT", "KPDX"}},
        {{{"---", 0.0, 0.0, "WPT"},
          {"KSEA", 47.449, -122.309, "APT"},
          {"SEA", 47.435, -122.310, "VOR"},
          {"FOXXE", 47.0, -122.5, "WPT"},
          {"OLM", 46.97, -122.90, "VOR"}},
         {"DIRECT", "KSEA", "SEA", "FOXXE", "OLM"}},
    };
    host::aircraft().lon_deg = -123.6; // west of every fix: nothing is sequenced
    for (const auto& row : rows) {
        set_active_plan(row.fixes, 1);
        gns_state = GNS_FLIGHT_PLAN;
        frames(1);
        press("DIRECT ENT");
        EXPECT_EQ(active_idents(), row.flown);
        ASSERT_EQ(to_waypoint_index, 1);
        EXPECT_EQ(active_plan[to_waypoint_index].ident, row.flown[1]);
        EXPECT_EQ(active_plan[active_plan_last + 1].ident, "******");
    }
}
