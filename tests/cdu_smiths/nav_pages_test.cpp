// PROGRESS, POS, REF NAV DATA and NAV STATUS in the stand-in.
#include "cdu_smiths/cdu_page_conventions.h"
#include "cdu_smiths/cdu_position_text.h"
#include "cdu_smiths/smiths_pages.h"
#include "data/nav_database.h"
#include "fms/guidance/lateral_guidance.h"
#include "fms/math/nav_math.h"
#include "fms/perf/speed_targets.h"
#include "fms/plan/plan_legs.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/route_state.h"
#include "fms/plan_builder.h"
#include "nav_pages_stand_in.h"
#include "sim_state.h"

#include <algorithm>
#include <utility>

namespace {

constexpr double kDestLat = 47.0;
constexpr double kDestLon = -122.0;

// A two-entry active route whose destination is its TO waypoint.
void activate_to_destination() {
    set_active_last(-1);
    for (const char* ident : {"ORIG", "DEST"}) {
        RouteWaypoint& w = PlanBuilder::append(active_plan);
        w = RouteWaypoint{};
        w.ident = ident;
        w.lat = kDestLat - 1.0 + active_plan_last;
        w.lon = kDestLon;
    }
    set_flown_to(1);
    set_to_position(GeoPosition{kDestLat, kDestLon});
    route_state = kRouteStateActive;
}

double south_of_destination(double nm) {
    double lat = 0.0, lon = 0.0;
    gc_destination_point(kDestLat, kDestLon, 180.0, nm, &lat, &lon);
    return lat;
}

} // namespace

TEST(CduPositionText, templatesOfLatitudeAndLongitude) {
    const struct {
        double lat, lon;
        const char* lat_text;
        const char* lon_text;
    } rows[] = {
        {47.0 + 26.0 / 60 + 59.0 / 3600, -(122.0 + 25.0 / 60 + 30.0 / 3600),
         "N47\xB0"
         "26.9",
         "W122\xB0"
         "25.5"},
        {5.05, 8.0 + 5.0 / 60,
         "N05\xB0"
         "03.0",
         "E008\xB0"
         "05.0"},
        {0.0, 0.0,
         "N00\xB0"
         "00.0",
         "W000\xB0"
         "00.0"},
        {-33.9999, 179.99999,
         "S33\xB0"
         "59.9",
         "E179\xB0"
         "59.9"},
    };
    for (const auto& r : rows) {
        EXPECT_EQ(cdu_latitude_text(r.lat), r.lat_text) << r.lat;
        EXPECT_EQ(cdu_longitude_text(r.lon), r.lon_text) << r.lon;
    }
}

TEST_F(NavPagesStandIn, progressPredictsArrivalAndFuelAtTheTwoSpeeds) {
    host::AircraftModel& m = hold_aircraft_at(south_of_destination(200.2), kDestLon);
    m.ias_kt = 400.0;
    m.fuel_lb = 20000.0;
    m.engines[0].fuel_flow_pph = 3000.0;
    m.engines[1].fuel_flow_pph = 3000.0;
    m.zulu_seconds = 12 * 3600.0 + 45 * 60.0;
    activate_to_destination();
    descent_speed_target = 250;
    still_frames(18);
    press("PROG");
    still_frames(1);
    EXPECT_EQ(text_at(63, 0), "PROGRESS");
    EXPECT_EQ(text_at(0, 66), "DEST ");
    EXPECT_EQ(text_at(92, 66), "200");
    EXPECT_EQ(text_at(160, 66), "1315Z");
    EXPECT_EQ(text_at(227, 66), "17.0");
    EXPECT_EQ(text_at(200, 166), "20.0");
    // The last 100 NM at 80 % of 250 kt: 300 kt over the 200 NM, 40 minutes.
    EXPECT_EQ(text_at(160, 131), "1325Z");
    m.zulu_seconds = 10 * 3600.0;
    still_frames(18);
    EXPECT_EQ(text_at(160, 131), "1040Z");

    // 14.6 minutes from 12:45 round to the whole minute and carry into the
    // next hour.
    m.zulu_seconds = 12 * 3600.0 + 45 * 60.0;
    m.lat_deg = south_of_destination(97.4);
    still_frames(18);
    EXPECT_EQ(text_at(160, 66), "1300Z");

    press("PREV");
    EXPECT_EQ(text_at(230, 5), "3 / 3");
    EXPECT_EQ(text_at(110, 0), "PROGRESS");
    press("PREV");
    EXPECT_EQ(text_at(55, 0), "RTA  PROGRESS");
    // The empty RTA field on the rule's line, nothing under the label.
    EXPECT_EQ(text_at(0, 184), "- - - - - -");
    EXPECT_EQ(text_at(0, 33), "");
    press("L6");
    EXPECT_EQ(smiths_cdu_page, kPagePerfInit);
    EXPECT_EQ(smiths_perf_init_subpage, 2);
}

TEST_F(NavPagesStandIn, progressMeasuresAcrossAGapNeverToItsPlace) {
    hold_aircraft_at(46.2, kDestLon);
    const char* idents[] = {"ORIG", "FIX", "DISCO", "NEXT", "DEST"};
    const double lats[] = {46.0, 46.5, 0.0, 47.0, 47.5};
    for (int i = 0; i < 5; ++i) {
        RouteWaypoint& w = active_entry(i);
        w = RouteWaypoint{};
        w.ident = idents[i];
        w.lat = lats[i];
        w.lon = i == 2 ? 0.0 : kDestLon;
    }
    make_marker(active_entry(2), EntryKind::Gap);
    set_active_last(4);
    set_flown_to(1);
    set_to_position(GeoPosition{46.5, kDestLon});
    route_state = kRouteStateActive;
    still_frames(18);
    press("PROG");
    still_frames(1);
    EXPECT_EQ(text_at(0, 99), "NEXT ");
    EXPECT_EQ(text_at(102, 99), "48"); // 18 NM to FIX, 30 on to NEXT
    EXPECT_EQ(text_at(102, 131), "78");
}

TEST_F(NavPagesStandIn, posShowsPositionClockDateAndTheNav1Station) {
    host::AircraftModel& m = hold_aircraft_at(5.05, 8.0 + 5.0 / 60);
    m.zulu_seconds = 12 * 3600.0 + 34 * 60.0 + 45.0;
    m.year = 2004;
    m.day_of_year = 75; // 15 March of a leap year
    host::set_token_text(47, "SEA");
    host::set_token(49, 1.0);
    still_frames(18);
    press("INIT_REF");
    still_frames(1);
    EXPECT_EQ(text_at(63, 0), "POS   INIT");
    EXPECT_EQ(text_at(70, 33), "N05\xC2\xB0"
                               "03.0");
    EXPECT_EQ(text_at(160, 33), "E008\xC2\xB0"
                                "05.0");
    EXPECT_EQ(text_at(0, 66), "- - - -");
    EXPECT_EQ(text_at(0, 166), "1234.7 z  03/15");
    press("NEXT");
    EXPECT_EQ(text_at(63, 0), "POS  REF");
    EXPECT_EQ(text_at(12, 167), "SEA");
    host::clear_token(47); // a null text
    press("NEXT");
    EXPECT_EQ(text_at(63, 0), "POS  SHIFT");
    EXPECT_FALSE(shows("SEA"));
    host::set_token(49, 0.0);
    host::set_token_text(47, "SEA");
    frames(1);
    EXPECT_FALSE(shows("SEA")); // no reception
    press("R6");
    EXPECT_EQ(smiths_cdu_page, kPageRte);
}

TEST_F(NavPagesStandIn, refNavDataLooksUpEachKindInItsOwnTable) {
    press("L6 R1");
    frames(1);
    EXPECT_EQ(text_at(63, 0), "REF  NAV  DATA");
    press("\"KBFI\" L1");
    frames(1);
    EXPECT_EQ(text_at(12, 22), "W P T    I D E N T");
    EXPECT_EQ(text_at(0, 33), "KBFI");
    EXPECT_EQ(text_at(0, 99), "N47\xC2\xB0"
                              "36.0");
    press("L6");
    EXPECT_EQ(smiths_cdu_page, kPageInitRefIndex);
    press("R1 \"KBFI\" L2");
    frames(1);
    EXPECT_EQ(text_at(0, 71), "KBFI");
    EXPECT_EQ(text_at(0, 99), "N47\xC2\xB0"
                              "31.8");
    EXPECT_EQ(text_at(150, 144), "21 FT");
    press("\"13R\" L1");
    EXPECT_EQ(text_at(0, 33), "13R");
    EXPECT_TRUE(shows("10000FT 3048 M")); // moved left to end on the screen
    press("\"99X\" L1");
    EXPECT_TRUE(shows("NOT FOUND IN DATABASE"));
    EXPECT_EQ(smiths_scratchpad, "99X");
    clear_scratchpad();

    press("L6 R1 \"SEA\" L1"); // a navaid at the waypoint key
    EXPECT_TRUE(shows("NOT IN DATABASE"));
    press("CLR R1");
    frames(1);
    EXPECT_EQ(text_at(220, 33), "SEA");
    EXPECT_EQ(text_at(0, 133), "116.80");
    press("L6 R1 R6");
    EXPECT_EQ(smiths_cdu_page, kPageNavStatus);
    frames(1);
    EXPECT_EQ(text_at(63, 0), "NAV  OPTIONS");
}

TEST_F(NavPagesStandIn, navStatusShowsTheReceiversAndTheNearestVorsNearestFirst) {
    host::aircraft().nav1_frequency_bcd = 0x1680;
    host::set_token_code(27, 0x0800);
    host::set_token_text(47, "SEA");
    host::set_token_text(56, "OLM");
    host::set_token(49, 1.0);
    frames(1);
    press("PROG R6");
    frames(1);
    EXPECT_EQ(text_at(63, 0), "NAV  STATUS");
    EXPECT_EQ(text_at(0, 44), "SEA   116.80" + std::string(13, ' ') + "108.00");
    host::clear_token(47);
    frames(1);
    EXPECT_EQ(text_at(0, 44), std::string(6, ' ') + "116.80" + std::string(13, ' ') + "108.00");

    std::vector<std::pair<double, NavRecord>> vors;
    for (int i = 1; i <= navaid_table.count(); ++i) {
        double d = 0.0, course = 0.0;
        gc_dist_course(47.449, -122.3093, navaid_table[i].latitude, navaid_table[i].longitude, &d, &course);
        if (navaid_table[i].kind == "V") vors.emplace_back(d, NavRecord(navaid_table[i]));
    }
    std::sort(vors.begin(), vors.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    ASSERT_GE(vors.size(), 8u);
    for (int row = 0; row < 4; ++row) {
        const NavRecord& left = vors[2 * row].second;
        const NavRecord& right = vors[2 * row + 1].second;
        EXPECT_EQ(text_at(0, 80.0f + 20.0f * row),
                  cdu_format("%-5s %6s       %-5s %6s", left.ident.c_str(), left.extra.c_str(),
                             right.ident.c_str(), right.extra.c_str()))
            << row;
    }
    press("PREV");
    EXPECT_EQ(text_at(63, 0), "NAV  OPTIONS");
    press("R6");
    EXPECT_EQ(smiths_cdu_page, kPageNavStatus);
    press("NEXT R6");
    EXPECT_EQ(smiths_cdu_page, kPagePosRef);
    EXPECT_EQ(smiths_pos_subpage, 3);
}
