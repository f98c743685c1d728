// The route-file format: lines that read back as written, the one folder rule
// of writer and readers, and a save that reports what happened.
#include "route_files.h"

#include "data/aircraft_settings.h"
#include "data/load_warnings.h"
#include "data/module_settings.h"
#include "data/nav_database.h"
#include "fms/files/route_file.h"
#include "fms/files/route_file_load.h"
#include "fms/plan/plan_legs.h"
#include "fms/plan/vertical_state.h"
#include "plan_builder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <csignal>
#include <filesystem>
#include <random>
#include <sys/resource.h>

namespace {

RouteWaypoint entry(const std::string& ident, double lat, double lon, const std::string& type,
                    const std::string& frequency = "", const std::string& via = "",
                    const std::string& kind = "") {
    RouteWaypoint w;
    w.ident = ident;
    w.lat = lat;
    w.lon = lon;
    w.type = type;
    w.frequency = frequency;
    w.via = via;
    w.kind = kind;
    return w;
}

void set_active(const std::vector<RouteWaypoint>& entries) {
    set_active_last(-1);
    for (const RouteWaypoint& w : entries)
        PlanBuilder::append(active_plan) = w;
}

void expect_same_fields(const RouteWaypoint& a, const RouteWaypoint& b, int i) {
    EXPECT_EQ(a.ident, b.ident) << i;
    EXPECT_NEAR(a.lat, b.lat, 1e-9) << i;
    EXPECT_NEAR(a.lon, b.lon, 1e-9) << i;
    EXPECT_EQ(a.type, b.type) << i;
    EXPECT_EQ(a.frequency, b.frequency) << i;
    EXPECT_EQ(a.via, b.via) << i;
    EXPECT_EQ(a.kind, b.kind) << i;
}

} // namespace

TEST(RouteFile, planReadsBackFieldByFieldWithBlanksInIdentsAndEitherLineEnd) {
    RouteFolder folder;
    set_active({entry("KPHX", 33.43428, -112.01158, "APT"), entry("HOLD PPOS", 34.5, -111.25, "WPT"),
                entry("SJN", 34.42361, -109.14389, "VOR", "112.30", "SJN3", "STAR"),
                entry("S 12", -12.5, 0.00001, "INT", "", "J 5", "SID"),
                entry("KABQ", 35.04022, -106.60919, "APT")});
    const RoutePlan saved = active_plan;
    ASSERT_TRUE(save_route_file("KPHXKABQ.RTE"));
    // The written line of KPHX as the format has it.
    EXPECT_NE(
        folder.read_plan("KPHXKABQ.RTE").find("KPHX             33.43428  -112.01158  APT ---            \n"),
        std::string::npos);

    std::string crlf;
    for (char c : folder.read_plan("KPHXKABQ.RTE"))
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    folder.write_plan("CRLF.RTE", crlf);
    for (const char* name : {"KPHXKABQ.RTE", "CRLF.RTE"}) {
        set_preview_last(-1);
        load_route_preview(name);
        ASSERT_EQ(preview_plan_last, 4) << name;
        for (int i = 0; i <= 4; ++i)
            expect_same_fields(preview_plan[i], saved[i], i);
    }
}

TEST(RouteFile, fullPlanRoundTripsAndUnstorableFieldsAreRefused) {
    RouteFolder folder;
    std::vector<RouteWaypoint> entries;
    for (int i = 0; i <= kPlanLastIndex; ++i)
        entries.push_back(entry("W" + std::to_string(i), -45.0 + i * 0.25, 170.0 - i * 0.5, "WPT"));
    set_active(entries);
    ASSERT_TRUE(save_route_file("FULL.RTE"));
    load_route_preview("FULL.RTE");
    ASSERT_EQ(preview_plan_last, kPlanLastIndex);
    for (int i = 0; i <= kPlanLastIndex; i += 50)
        expect_same_fields(preview_plan[i], entries[i], i);

    // Lines that could not read back as written: nothing is written at all.
    const std::string before = folder.read_plan("FULL.RTE");
    for (const RouteWaypoint& bad :
         {entry("", 1.0, 2.0, "WPT"), entry(";X", 1.0, 2.0, "WPT"),
          entry(std::string(140, 'A'), 1.0, 2.0, "WPT"), entry("NAN", NAN, 2.0, "WPT")}) {
        active_entry(7) = bad;
        EXPECT_FALSE(save_route_file("FULL.RTE")) << bad.ident;
        EXPECT_EQ(folder.read_plan("FULL.RTE"), before);
    }
}

TEST(RouteFile, writerNormalisesTypesDropsKindWithoutAirwayAndWritesKeys) {
    RouteFolder folder;
    set_active({entry("KSEA", 47.449, -122.3093, "APT"), entry("USER1", 47.0, -122.0, "V", "", "", "SID"),
                entry("KPDX", 45.5887, -122.5975, "APT")});
    cruise_altitude = 35000;
    SaveFPLCruiseAlt = 0;
    ASSERT_TRUE(save_route_file("A.RTE"));
    EXPECT_EQ(folder.read_plan("A.RTE").rfind("[FlightPlan]\n", 0), 0u);
    EXPECT_EQ(active_plan[1].type, "WPT"); // the plan itself now holds a stored type
    load_route_preview("A.RTE");
    EXPECT_EQ(preview_plan[1].kind, "");

    SaveFPLCruiseAlt = 1;
    set_active_last(-1);
    ASSERT_TRUE(save_route_file("B.RTE"));
    EXPECT_EQ(folder.read_plan("B.RTE"), "CruiseAlt=35000\n[FlightPlan]\n");
}

// An airway never closed is stored as the gap it is flown as, and a file
// that holds one (as written before) reads back as that gap.
TEST(RouteFile, anAirwayWithoutItsExitIsStoredAndReadAsAGap) {
    RouteFolder folder;
    RouteWaypoint then = entry("THEN", 0.0, 0.0, "OAWY", "", "V23");
    then.marker = EntryKind::AirwayThen;
    set_active({entry("KSLE", 44.9095, -123.0026, "APT"), entry("UBG", 45.3547, -123.0222, "VOR", "117.40"),
                then, entry("QUEET", 47.28541, -124.26665, "WPT"), entry("KPDX", 45.5887, -122.5975, "APT")});
    ASSERT_TRUE(save_route_file("GAP.RTE"));
    std::string text = folder.read_plan("GAP.RTE");
    EXPECT_EQ(text.find("THEN"), std::string::npos) << text;
    const std::size_t disco = text.find("DISCO");
    ASSERT_NE(disco, std::string::npos) << text;
    // Written before: the same line with the airway's marker.
    text.replace(disco, 5, "THEN ");
    text.replace(text.find("\n", disco) - 4, 3, "V23");
    folder.write_plan("OLD.RTE", text);
    for (const char* name : {"GAP.RTE", "OLD.RTE"}) {
        load_route_preview(name);
        ASSERT_EQ(preview_plan_last, 4) << name;
        EXPECT_EQ(entry_kind(preview_plan[2]), EntryKind::Gap) << name;
        EXPECT_EQ(preview_plan[2].via, "") << name;
        EXPECT_EQ(preview_plan[3].ident, "QUEET") << name;
    }
}

TEST(RouteFile, writerSavesWhereTheReadersAndTheListLook) {
    RouteFolder folder;
    set_active({entry("KSEA", 47.449, -122.3093, "APT"), entry("KPDX", 45.5887, -122.5975, "APT")});
    FlightPlansFolder = folder.path() + "\\cfgplans";
    aircraft_flight_plans_folder = folder.path() + "\\acplans";
    folder.mkdir("acplans");
    EXPECT_EQ(flight_plans_folder(), folder.path() + "\\acplans\\");
    ASSERT_TRUE(save_route_file("KSEAKPDX.RTE"));
    EXPECT_FALSE(folder.read("acplans/KSEAKPDX.RTE").empty());

    aircraft_flight_plans_folder.clear();
    EXPECT_FALSE(save_route_file("X.RTE")); // the orvex.cfg folder does not exist
    LoadWarning told;                       // and said where, beside the unit's message
    ASSERT_TRUE(take_load_warning(told));
    EXPECT_EQ(told.text, "cannot be written: the plan is not saved");
    FlightPlansFolder.clear();
    EXPECT_EQ(flight_plans_folder(), folder.path() + "\\orvex\\flightplans\\");
}

TEST(RouteFile, writeFailureAfterOpeningIsReportedAndLeavesNoCutPlan) {
    RouteFolder folder;
    std::vector<RouteWaypoint> entries;
    for (int i = 0; i < 100; ++i)
        entries.push_back(entry("W" + std::to_string(i), 10.0, 20.0, "WPT"));
    set_active(entries);
    // Files may not grow past 512 bytes: the write fails after the open.
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    const auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
    const rlimit small{512, old.rlim_max};
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool saved = save_route_file("BIG.RTE");
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, old_handler);
    EXPECT_FALSE(saved);
    EXPECT_FALSE(std::ifstream(folder.path() + "/orvex/flightplans/BIG.RTE").good());
    LoadWarning told;
    ASSERT_TRUE(take_load_warning(told));
    EXPECT_EQ(told.text, "cannot be written whole: the plan is not saved");
}

// Positions whose sixth decimal lies on a rounding half are ordinary
// positions: the line stores their five-decimal text and reads back as that.
TEST(RouteFile, everyPositionInRangeIsStoredAsItsPrintedText) {
    std::mt19937_64 random(20261207);
    std::uniform_real_distribution<double> lat(-90.0, 90.0), lon(-180.0, 180.0);
    std::uniform_int_distribution<int> half_lat(-9000000, 8999999), half_lon(-18000000, 17999999);
    int refused = 0;
    for (int n = 0; n < 100000; ++n) {
        RouteWaypoint w = entry("P", lat(random), lon(random), "WPT");
        if (n % 2 == 1) { // exactly on a half of the fifth decimal
            w.lat = (half_lat(random) + 0.5) / 100000.0;
            w.lon = (half_lon(random) + 0.5) / 100000.0;
        }
        std::string line;
        if (!format_route_line(w, line)) {
            ++refused;
            continue;
        }
        const RouteWaypoint r = waypoint_from_route_line(split_route_line(line));
        EXPECT_LE(std::fabs(r.lat - w.lat), 0.0000051);
        EXPECT_LE(std::fabs(r.lon - w.lon), 0.0000051);
    }
    EXPECT_EQ(refused, 0);
    for (double value : {90.0, -90.0, 180.0, -180.0, 45.123455, -122.308645}) {
        std::string line;
        EXPECT_TRUE(format_route_line(entry("P", value / 2.0, value, "WPT"), line)) << value;
    }
}

// A route through every airport, navaid, intersection and airway fix of the
// example database saves and reads back, 201 waypoints a file.
TEST(RouteFile, everyFixOfTheExampleDatabaseSavesAndReadsBack) {
    RouteFolder folder;
    std::filesystem::copy(std::string(ORVEX_SOURCE_DIR) + "/examples/sim/orvex/navdata",
                          folder.path() + "/orvex/navdata");
    load_nav_database();
    std::vector<RouteWaypoint> all;
    auto add = [&](const auto& table, const char* type) {
        for (int i = 1; i <= table.count(); ++i)
            all.push_back(entry(std::string(table[i].ident), table[i].latitude, table[i].longitude, type));
    };
    add(airport_table, "APT");
    add(navaid_table, "VOR");
    add(intersection_table, "INT");
    add(airway_fix_table, "INT");
    ASSERT_GT(all.size(), 100u);
    std::size_t saved_count = 0;
    for (std::size_t first = 0; first < all.size(); first += kPlanLastIndex + 1) {
        const std::size_t end = std::min(all.size(), first + kPlanLastIndex + 1);
        std::vector<RouteWaypoint> part(all.begin() + first, all.begin() + end);
        set_active(part);
        ASSERT_TRUE(save_route_file("ALL.RTE")) << "from " << first;
        load_route_preview("ALL.RTE");
        ASSERT_EQ(preview_plan_last, static_cast<int>(part.size()) - 1);
        for (std::size_t i = 0; i < part.size(); ++i) {
            EXPECT_EQ(preview_plan[static_cast<int>(i)].ident, part[i].ident);
            EXPECT_NEAR(preview_plan[static_cast<int>(i)].lat, part[i].lat, 0.0000051) << part[i].ident;
            EXPECT_NEAR(preview_plan[static_cast<int>(i)].lon, part[i].lon, 0.0000051) << part[i].ident;
        }
        saved_count += part.size();
    }
    EXPECT_EQ(saved_count, all.size());
}

// A typed route-file name stays inside the folder and holds no character a
// file name cannot; every name the example folder holds, and ordinary typed
// names, pass.
TEST(RouteFileName, RefusesWhatAFileNameCannotHoldAndTakesTheRest) {
    for (const char* name : {"", "A/B.RTE", "A\\B.RTE", "C:X.RTE", "..RTE", "A*.RTE", "A?.RTE", "A<.RTE",
                             "A>.RTE", "A|.RTE", "A\".RTE", "X..RTE"})
        EXPECT_FALSE(acceptable_file_name(name)) << name;
    EXPECT_FALSE(acceptable_file_name(std::string(300, 'A') + ".RTE"));

    for (const auto& e : std::filesystem::directory_iterator(std::string(ORVEX_SOURCE_DIR) +
                                                             "/examples/sim/orvex/flightplans"))
        EXPECT_TRUE(acceptable_file_name(e.path().filename().string())) << e.path();
    // Names typed on the GNS and SMITHS keypads: letters, digits, "#" and blanks.
    const std::string keys = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789# ";
    std::mt19937 random(7);
    for (int n = 0; n < 500; ++n) {
        std::string name(1, keys[random() % 36]);
        for (int i = static_cast<int>(random() % 10); i > 0; --i)
            name += keys[random() % keys.size()];
        EXPECT_TRUE(acceptable_file_name(name + ".RTE")) << name;
    }
}
