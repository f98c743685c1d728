// Numbers beyond every range in each reader's files: integers saturate at
// the int32 limits, reals at the largest finite value (never infinity or
// NaN), configured reals outside their use keep their defaults, and what
// depends on them stays defined.
#include "robustness/reader_feeds.h"

#include "data/aircraft_settings.h"
#include "data/airport_procedures.h"
#include "data/display_settings.h"
#include "data/lvar_bindings.h"
#include "data/module_settings.h"
#include "data/nav_database.h"
#include "data/performance_tables.h"
#include "fms/files/flight_log.h"
#include "fms/perf/speed_targets.h"
#include "fms/plan/airways.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/waypoint_entry.h"
#include "fms/procedures/airport_detail.h"
#include "platform/temp_folder.h"
#include "sim/host_folder.h"

#include <cmath>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <limits>
#include <sstream>

namespace {

constexpr double kIntMax = 2147483647.0;
constexpr double kIntMin = -2147483648.0;
const double kMax = std::numeric_limits<double>::max();

std::string feed(const char* reader, const std::string& input) {
    return find_reader_feed(reader)->feed(input);
}

struct SettingRow {
    const char* line;
    std::function<double()> value;
    double expected;
};

void expect_rows(const char* reader, const std::vector<SettingRow>& rows) {
    for (const SettingRow& row : rows) {
        EXPECT_EQ(feed(reader, std::string(row.line) + "\n"), "") << row.line;
        EXPECT_EQ(row.value(), row.expected) << row.line;
    }
}

} // namespace

TEST(HostileNumbers, configurationValuesSaturateOrAreRefused) {
    WptChgDist = 3.0;
    expect_rows("module_config", {
                                     {"TransAlt=99999999999", [] { return TransAlt; }, kIntMax},
                                     {"TransAlt=-99999999999999999999999", [] { return TransAlt; }, kIntMin},
                                     // Reals outside what their use takes keep the default.
                                     {"DecLatLonDisp=1e999", [] { return DecLatLonDisp; }, 0.0},
                                     {"DecLatLonDisp=-1e999", [] { return DecLatLonDisp; }, 0.0},
                                     {"DecLatLonDisp=nan", [] { return DecLatLonDisp; }, 0.0},
                                     {"TcasVertRange=99999999999", [] { return TcasVertRange; }, 21474836.0},
                                     {"MinMapRange=1e999", [] { return min_map_range; }, 10.0},
                                     {"MinMapRange=1e-999", [] { return min_map_range; }, 0.0},
                                     {"ClimbMach=nan", [] { return ClimbMach; }, 0.0},
                                     {"ClimbMach=1.5", [] { return ClimbMach; }, 0.0},
                                     {"ClimbMach=0.78", [] { return ClimbMach; }, 0.78},
                                     // Distances are taken only above 0: neither NaN nor -inf is.
                                     {"WptChgDist=nan", [] { return WptChgDist; }, 3.0},
                                     {"WptChgDist=-1e999", [] { return WptChgDist; }, 3.0},
                                 });
    expect_rows(
        "aircraft_config",
        {
            {"EngThrust=99999999999", [] { return EngThrust; }, 2147483.0},
            {"ClimbIas=1e999", [] { return climb_speed_target; }, 220.0},
            {"HoldLegMins=inf", [] { return HoldLegMins; }, 1.0},
            {"HWB737NDMode=99999999999", [] { return hw_b737_nd_mode; }, 1.0},
            {"MD80EHSIMode=-99999999999", [] { return md80_ehsi_mode; }, 0.0},
            {"[Lvars]\nL:Big=99999999999,HWB737NDMode=1e999,reset=-99999999999",
             [] { return lvar_bindings[1].variable_code; }, kIntMax},
            {"[Lvars]\nL:Big=1,HWB737NDMode=-1e999,off=99999999999",
             [] { return lvar_bindings[1].setting_value + 0.0 * lvar_bindings[1].off_value; }, kIntMin},
            {"[Lvars]\nL:Big=1,HWB737NDMode=nan,off=99999999999", [] { return lvar_bindings[1].off_value; },
             kIntMax},
        });
}

TEST(HostileNumbers, tableNumbersKeepTheirOverflowAndLookupsStillRun) {
    // Performance rows saturate; a row with a word in it is left out.
    ASSERT_EQ(feed("performance", "[CLIMB]\n1e999 -1e999 nan 5\n1e999 -1e999 0 99999999999999999999\n"), "");
    ASSERT_EQ(performance_tables.climb_row_count, 1);
    EXPECT_EQ(performance_tables.climb[1][21], kMax);
    EXPECT_EQ(performance_tables.climb[1][22], -kMax);
    EXPECT_EQ(performance_tables.climb[1][2], 1e20);

    // Navigation records keep infinite and undefined positions; looking them
    // up sorts candidates whose distances are NaN without going astray.
    ASSERT_EQ(
        feed("nav_database", join_parts({"HUGE HUGE 1e999 -1e999\nTINY TINY 1e-999 0x1p3\n"
                                         "JUNK JUNK nan nan\nJUNK JUNK 47 -122\nJUNK JUNK -nan 1e999\n",
                                         "", "", "", "", "", "JUNK JUNK nan -nan VOR 99999999999999\n"})),
        "");
    ASSERT_EQ(intersection_table.count(), 5);
    EXPECT_EQ(intersection_table[1].latitude, kMax);
    EXPECT_EQ(intersection_table[1].longitude, -kMax);
    EXPECT_EQ(intersection_table[2].latitude, 0.0);
    EXPECT_EQ(intersection_table[2].longitude, 8.0);
    EXPECT_EQ(intersection_table[3].latitude, 0.0); // "nan" is no number
    EXPECT_EQ(navaid_table[1].extra, "99999999999999");
    EXPECT_EQ(find_navaid("JUNK", "", std::nan("")), 1); // NaN truncates to 0 on both sides
    waypoint_lookup_text = "JUNK";
    lookup_waypoint_entry(0, 47.0, -122.0);
    ASSERT_EQ(candidate_count(), 4);
    EXPECT_EQ(candidate_list[1].latitude, 47.0); // the one real position is nearest
    waypoint_lookup_text = "HUGE090/10";
    lookup_waypoint_entry(0, 47.0, -122.0);
    EXPECT_EQ(candidate_count(), 1);
}

TEST(HostileNumbers, airportLinesAndParkingPositionsOutOfRange) {
    ASSERT_EQ(
        feed("sid", join_parts({"KBIG",
                                "KBIG BIG 99999999999 1e999 -1e999 09_99999999999_nan_-nan_1e999_X_Y_-1e999 "
                                "27_-99999999999_1_2_-1e999\n",
                                "",
                                "[KBIG]\nT DEP1 09 09\nDEP1 /H1e999/UA 99999999999 09 nan nan\n"
                                "DEP1 /T-1e999/UD1e999 5000 09 0 0\nDEP1 FIX1 5000 --- 1e999 -1e999\n"})),
        "");
    const AirportProcedures& origin = airport_slots[origin_slot];
    EXPECT_EQ(origin.elevation_ft, kIntMax);
    EXPECT_EQ(origin_elevation_ft, kIntMax);
    EXPECT_EQ(active_plan[0].alt_constraint, 99999999999.0);
    EXPECT_EQ(origin.airport_latitude, kMax);
    ASSERT_EQ(origin.runways.count(), 2);
    EXPECT_EQ(origin.runways[1].length_ft, kIntMax);
    EXPECT_EQ(origin.runways[1].latitude, 0.0);
    EXPECT_EQ(origin.runways[1].reciprocal_heading, kMax);
    EXPECT_EQ(origin.runways[1].localizer_course, -kMax);
    EXPECT_EQ(origin.runways[2].length_ft, kIntMin);
    EXPECT_EQ(origin.runways[2].reciprocal_heading, -kMax + 180.0);
    ASSERT_EQ(origin.sids.count(), 1);
    EXPECT_EQ(origin.sids[1].legs[origin.sids[1].legs.count()].fix, "FIX1");

    ASSERT_EQ(feed("parking", join_parts({"KSEA", "KSEA 1e999 nan 360\n"})), "");
    EXPECT_EQ(parking_position.latitude, kMax);
    EXPECT_EQ(parking_position.longitude, 0.0);
    EXPECT_EQ(parking_position.heading, 0.0);
}

TEST(HostileNumbers, aFlightLogOfEndlessDescentRatesGivesTheLargestRate) {
    TempFolder sim;
    sim.write("orvex/FlightLog/fpl.log", "00:00:01 Descent X 0 400 -1e999 5000 100 2000 0 0\n");
    host_folder = sim.path();
    aircraft_parameter = "B738";
    write_flight_summary();
    std::ifstream file(sim.path() + "/orvex/FlightLog/Flight.log");
    std::stringstream text;
    text << file.rdbuf();
    // The magnitude of -2147483648 has no int: the rate saturates instead.
    EXPECT_NE(text.str().find("Descent=5000_400_2147483647_100 \n"), std::string::npos) << text.str();
}
