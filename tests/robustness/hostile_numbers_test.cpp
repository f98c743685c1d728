// Numbers beyond every range in each reader's files: integers saturate at
// the int32 limits, reals at the largest finite value (never infinity or
// NaN), configured reals outside their use keep their defaults, records off
// the globe or out of any aircraft's reach are left out, and what depends on
// them stays defined.
#include "robustness/reader_feeds.h"

#include "data/aircraft_settings.h"
#include "data/airport_procedures.h"
#include "data/display_settings.h"
#include "data/lvar_bindings.h"
#include "data/module_settings.h"
#include "data/nav_database.h"
#include "data/performance_tables.h"
#include "data/reader_checks.h"
#include "fms/perf/speed_targets.h"
#include "fms/plan/airways.h"
#include "fms/plan/flight_log.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/waypoint_entry.h"
#include "fms/procedures/airport_detail.h"
#include "platform/temp_folder.h"
#include "sim/host_folder.h"

#include <cmath>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <random>
#include <sstream>

namespace {

constexpr double kIntMax = 2147483647.0;
constexpr double kIntMin = -2147483648.0;

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
                                     // Numbers outside what their use takes keep the default.
                                     {"TransAlt=99999999999", [] { return TransAlt; }, 18000.0},
                                     {"TransAlt=-99999999999999999999999", [] { return TransAlt; }, 18000.0},
                                     {"DecLatLonDisp=1e999", [] { return DecLatLonDisp; }, 0.0},
                                     {"DecLatLonDisp=-1e999", [] { return DecLatLonDisp; }, 0.0},
                                     {"DecLatLonDisp=nan", [] { return DecLatLonDisp; }, 0.0},
                                     {"TcasVertRange=99999999999", [] { return TcasVertRange; }, 140.0},
                                     {"MinMapRange=1e999", [] { return min_map_range; }, 10.0},
                                     {"MinMapRange=1e-999", [] { return min_map_range; }, 0.0},
                                     {"ClimbMach=nan", [] { return ClimbMach; }, 0.0},
                                     {"ClimbMach=1.5", [] { return ClimbMach; }, 1.5}, // any finite Mach
                                     {"ClimbMach=0.78", [] { return ClimbMach; }, 0.78},
                                     // Distances are taken only above 0: neither NaN nor -inf is.
                                     {"WptChgDist=nan", [] { return WptChgDist; }, 3.0},
                                     {"WptChgDist=-1e999", [] { return WptChgDist; }, 3.0},
                                 });
    expect_rows(
        "aircraft_config",
        {
            {"EngThrust=99999999999", [] { return EngThrust; }, 0.0},
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

TEST(HostileNumbers, tableRowsOutOfReachOrOffTheGlobeAreLeftOutAndLookupsStillRun) {
    // Performance rows with a word or a value no aircraft reaches are left
    // out: 1e308 ft/min would climb 400 ft all the way.
    ASSERT_EQ(feed("performance", "[CLIMB]\n1e999 -1e999 nan 5\n1000 1e308 0 1e308\n5000 272 3000 7300\n"
                                  "[GRWT 1e308 150]\n10000 350 6200 6500\n"),
              "");
    ASSERT_EQ(performance_tables.climb_row_count, 1);
    EXPECT_EQ(performance_tables.climb[1][21], 5000.0);
    EXPECT_EQ(performance_tables.cruise[0].slots[32], 0.0); // the weight no aircraft has
    EXPECT_EQ(performance_tables.cruise[0].slots[33], 150000.0);

    // Navigation records need a position on the globe; the lookups see only
    // those.
    ASSERT_EQ(
        feed("nav_database", join_parts({"HUGE HUGE 1e999 -1e999\nTINY TINY 1e-999 0x1p3\n"
                                         "JUNK JUNK nan nan\nJUNK JUNK 47 -122\nJUNK JUNK -nan 1e999\n",
                                         "", "", "", "", "", "JUNK JUNK nan -nan VOR 99999999999999\n"})),
        "");
    // 1e-999 is a number next to 0, but 0x1p3 is none.
    ASSERT_EQ(intersection_table.count(), 1);
    EXPECT_EQ(intersection_table[1].latitude, 47.0);
    EXPECT_EQ(navaid_table.count(), 0);
    waypoint_lookup_text = "JUNK";
    lookup_waypoint_entry(0, 47.0, -122.0);
    ASSERT_EQ(candidate_count(), 1);
    EXPECT_EQ(candidate_list()[1].latitude, 47.0);
}

TEST(HostileNumbers, airportsRunwaysLegsAndParkingOffTheGlobeAreLeftOut) {
    // An airport off the globe is not loaded, nor are its procedures.
    ASSERT_EQ(feed("sid", join_parts({"KBIG", "KBIG BIG 99999999999 1e999 -1e999 09_1_2_3\n", "",
                                      "[KBIG]\nDEP1 FIX1 5000 --- 47 8\n"})),
              "");
    EXPECT_EQ(airport_slots[origin_slot].airport_ident, "");
    EXPECT_EQ(airport_slots[origin_slot].sids.count(), 0);

    // Numbers beyond what they stand for leave their record out: an airport
    // 99999999999 ft high, a runway of that length, a leg climbing to that
    // altitude or off the globe (its SID with it).
    ASSERT_EQ(feed("sid", join_parts({"KBIG", "KBIG BIG 99999999999 47 8 09_1_47_8\n", "",
                                      "[KBIG]\nDEP1 FIX1 5000 --- 47 8\n"})),
              "");
    EXPECT_EQ(airport_slots[origin_slot].airport_ident, "");
    ASSERT_EQ(feed("sid", join_parts({"KBIG",
                                      "KBIG BIG 433 47 8 09_99999999999_47_8_1e999_X_Y_-1e999 "
                                      "27_-99999999999_nan_-nan_-1e999 36_1_91_8 18_9000_47_8_180\n",
                                      "",
                                      "[KBIG]\nT DEP1 09 09\nDEP1 /H1e999/UA 99999999999 09 0 0\n"
                                      "DEP1 FIX1 5000 --- 47 8\nT DEP2 09 09\nDEP2 FIX1 5000 --- 47 8\n"
                                      "DEP2 FIX2 5000 --- 1e999 -1e999\nDEP3 FIX1 5000 --- 47 8\n"})),
              "");
    const AirportProcedures& origin = airport_slots[origin_slot];
    EXPECT_EQ(origin.elevation_ft, 433);
    ASSERT_EQ(origin.runways.count(), 1);
    EXPECT_EQ(origin.runways[1].designator, "18");
    ASSERT_EQ(origin.sids.count(), 1);
    EXPECT_EQ(origin.sids[1].name, "DEP3");

    ASSERT_EQ(feed("parking", join_parts({"KSEA", "KSEA 1e999 nan 360\nKSEA 47 -122 360\n"})), "");
    EXPECT_EQ(parking_position.latitude, 47.0);
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

// The bounds of the number fields take any value within them as the files
// write it, and refuse one just beyond.
TEST(HostileNumbers, fieldRangesTakeRandomValuesWithinAndRefuseThoseBeyond) {
    std::mt19937 random(2024);
    for (const FieldRange* range : {&kElevationFt, &kRunwayLengthFt, &kDegrees, &kVhfNavMhz, &kNdbKhz,
                                    &kAltitudeFt, &kFlightLevel, &kDmeDistanceNm}) {
        std::uniform_real_distribution<double> within(range->low, range->high);
        char text[64];
        for (int i = 0; i < 100; ++i) {
            std::snprintf(text, sizeof text, i % 2 ? "%.2f" : "%.0f", within(random));
            EXPECT_EQ(number_fault(text, *range), nullptr) << text;
        }
        for (const double beyond : {range->low - 0.01, range->high + 0.01}) {
            std::snprintf(text, sizeof text, "%.2f", beyond);
            EXPECT_EQ(number_fault(text, *range), range->fault) << text;
        }
    }
}
