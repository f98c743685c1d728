// Hostile files of every reader that takes positions, tables or file names:
// each is told in one load warning naming the file and saying what was left
// out, and the reader's feed finds nothing off the globe loaded.
#include "robustness/reader_feeds.h"

#include "data/aircraft_settings.h"
#include "data/airport_procedures.h"
#include "data/atc_boundaries.h"
#include "data/display_settings.h"
#include "data/load_warnings.h"
#include "data/module_settings.h"
#include "data/nav_database.h"
#include "data/performance_tables.h"
#include "fms/files/aircraft_config.h"
#include "fms/files/flight_plan_folder.h"
#include "fms/perf/speed_targets.h"
#include "fms/procedures/airport_detail.h"
#include "platform/temp_folder.h"
#include "sim/host_folder.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace {

const std::string kExamples = ORVEX_SOURCE_DIR "/examples/sim/orvex";
const std::string kAirport = "KSEA SEATTLE 433 47.449 -122.309 16L_11901_47.46_-122.31_163_110.30_ILS_163\n";

std::string repeated(const std::string& text, int times) {
    std::string all;
    for (int i = 0; i < times; ++i)
        all += text;
    return all;
}

// KSEA with its one runway token changed.
std::string airport_with_runway(const std::string& runway) {
    return "KSEA SEATTLE 433 47.449 -122.309 " + runway + "\n";
}

// A SID of one leg line as given, beside a good one.
std::string sid_with_leg(const std::string& leg) {
    return join_parts(
        {"KSEA", kAirport, "",
         "[KSEA]\nT BAD1 16L 16L\nBAD1 " + leg + "\nT GOOD1 16L 16L\nGOOD1 FIXA 3000 --- 47.3 -122.3\n"});
}

// The navigation files with only navs.txt (8th part) or one other part given.
std::string nav_files(std::size_t part, const std::string& text) {
    std::vector<std::string> parts(8);
    parts[part] = text;
    return join_parts(parts);
}

std::string airway_of_fixes(int fixes) {
    std::string text = "J1 1 FAR 95 -122\n";
    for (int i = 1; i <= fixes; ++i)
        text += "J1 " + std::to_string(i) + " F" + std::to_string(i) + " 47 -122\n";
    return text;
}

std::string climb_rows(int rows) {
    std::string text;
    for (int i = 1; i <= rows; ++i)
        text += std::to_string(i * 500) + " 250 2000 7000\n";
    return text;
}

std::string star_of_legs(int legs) {
    std::string text = "[KSEA]\nT LONG1 16L 16L\n";
    for (int i = 1; i <= legs; ++i)
        text += "LONG1 F" + std::to_string(i) + " 5000 --- 47." + std::to_string(i % 9) + " -122.3\n";
    return text;
}

const char* const kXmlWithoutPosition =
    "<?xml version=\"1.0\"?>\n<SimBase.Document><FlightPlan.FlightPlan>\n"
    "<DepartureID>KSEA</DepartureID>\n"
    "<ATCWaypoint id=\"KSEA\">\n<ATCWaypointType>Airport</ATCWaypointType>\n"
    "<WorldPosition>N47\xB0 26' 58.00\",W122\xB0 18' 34.60\",+0</WorldPosition>\n"
    "</ATCWaypoint>\n"
    "<ATCWaypoint id=\"LOST\">\n<ATCWaypointType>VOR</ATCWaypointType>\n"
    "</ATCWaypoint>\n"
    "<ATCWaypoint id=\"SEA\">\n<ATCWaypointType>VOR</ATCWaypointType>\n"
    "<WorldPosition>N47\xB0 26' 7.20\",W122\xB0 18' 34.80\",+0</WorldPosition>\n"
    "</ATCWaypoint>\n</FlightPlan.FlightPlan></SimBase.Document>\n";

std::string additional_info(const char* damage) {
    std::string text = "[KPDX]\nRWY10R=RIGHTPATTERN\nTowerViewLat=45.5878\nTowerViewLon=-122.5972\n";
    if (std::string(damage) == "words") text += "TowerViewAlt=high\n";
    if (std::string(damage) == "off") text += "TowerViewLat=145.5\n";
    if (std::string(damage) == "binary") text += std::string("TowerView\0Alt=260\n", 18);
    if (std::string(damage) == "cut") text += "[KS";
    if (std::string(damage) == "cut number") text += "TowerViewLat=45." + std::string(1500, '5') + "\n";
    return join_parts({"KPDX", "KPDX PORTLAND 31 45.5887 -122.5975 10R_11000_45.59_-122.60_100\n", text});
}

// The warnings naming the file (by the name alone), as "FILE: TEXT".
std::vector<std::string> hostile_warnings_naming(const std::string& file) {
    std::vector<std::string> told;
    for (LoadWarning w; take_load_warning(w);)
        if (w.file.size() >= file.size() &&
            w.file.compare(w.file.size() - file.size(), file.size(), file) == 0)
            told.push_back(file + ": " + w.text);
    return told;
}

} // namespace

TEST(HostileReaders, eachHostileFileIsToldOnceAndNothingOffTheGlobeIsLoaded) {
    struct Row {
        const char* reader;
        std::string input;
        const char* file; // the end of the path that the warning names
        const char* told; // within the warning
        std::function<void()> also = [] {};
    };
    const Row rows[] = {
        {"sid",
         join_parts(
             {"KSEA", kAirport, "",
              "[KSEA]\nT BAD1 16L 16L\nBAD1 FIXA 3000 --- 47.3 -122.3\nBAD1 FAR1 5000 --- 1e308 -1e308\n"
              "BAD1 FIXB 3000 --- 47.2 -122.3\nT BAD2 16L 16L\nBAD2 FAR2 5000 --- nan inf\n"
              "T GOOD1 16L 16L\nGOOD1 FIXA 3000 --- 47.3 -122.3\n"}),
         "sids.txt",
         "2 of 9 lines could not be used (line 4: position off the globe); SIDs BAD1, BAD2 left out whole",
         [] {
             ASSERT_EQ(airport_slots[origin_slot].sids.count(), 1);
             EXPECT_EQ(airport_slots[origin_slot].sids[1].name, "GOOD1");
         }},
        {"star", join_parts({"KSEA", kAirport, "", star_of_legs(600)}), "stars.txt",
         "200 left out: the table of legs of a STAR holds 400",
         [] { EXPECT_EQ(airport_slots[destination_slot].stars[1].legs.count(), 400); }},
        {"approach",
         join_parts(
             {"KSEA", kAirport, "",
              "[KSEA]\n16L I16L FIXA IAF 6000 47.7 -122.3 - 43 32\n16L I16L FAR FAF 2400 91 -122.3 - 64 32\n"
              "16R I16R FIXB IAF 6000 47.7 -122.3 - 43 32\n"}),
         "apps.txt", "approach I16L 16L left out whole",
         [] { EXPECT_EQ(airport_slots[destination_slot].approaches.count(), 1); }},
        {"sid", join_parts({"KSEB", kAirport + "KSEB SOUTH 0 -91 0\n", "", ""}), "apts.txt",
         "line 2: KSEB: position off the globe; that airport is not loaded"},
        {"sid", join_parts({"KSEB", kAirport + "KSEB SOUTH 0 47.5x -122 0\n", "", ""}), "apts.txt",
         "line 2: KSEB has no elevation or position; that airport is not loaded"},
        {"sid", join_parts({"KSEC", "KSEC X 0 47 8 09_1_95_8_90 27_1_47_8_270\n", "", ""}), "apts.txt",
         "line 1: KSEC: 1 runways left out (09: position off the globe)",
         [] { EXPECT_EQ(airport_slots[origin_slot].runways[1].designator, "27"); }},
        {"airway", join_parts({"J1 F1", airway_of_fixes(260)}), "awys.txt",
         "J1: 10 left out: the table of fixes of an airway holds 250"},
        {"nav_database", join_parts({"FIXA FIXA 47 -122\nFIXB FIXB 47 -181\n"}), "ints.txt",
         "1 of 2 lines could not be used (line 2: position off the globe)"},
        {"atc_boundaries", "ZSE SEATTLE 47 -122\nZSE SEATTLE 48 -122\nZSE SEATTLE 49 1e308\n", "atc_bdry.txt",
         "1 of 3 lines could not be used (line 3: position off the globe)"},
        {"parking", join_parts({"KSEA", "KSEA 47.4 -122.3 720\nKPDX 45.5 1e308 0\nKBFI 47.5 -122.3 220\n"}),
         "FUZZ_parking.txt", "2 of 3 lines could not be used (line 1: heading outside 0 to 360)",
         [] { EXPECT_EQ(parking_position.latitude, 0.0); }},
        {"runway_ref",
         join_parts(
             {"KSEA 16L", "KSEA SEATTLE 433 147.4 -122.3 16L_11901_150\nKPDX P 31 45.5 -122.5 10R_1_1\n"}),
         "orvex_apts.txt", "1 of 2 lines could not be used (line 1: position off the globe)"},
        {"runway_ref",
         join_parts({"KSEA 16L", "KSEA S 433 47.4x -122.3 16L_11901_150\nKPDX P 31 45.5 -122.5 10R_1_1\n"}),
         "orvex_apts.txt", "1 of 2 lines could not be used (line 1: no position)"},
        {"additional_info", additional_info("off"), "apt_additional_info.txt",
         "(line 5: position off the globe)"},
        {"additional_info", additional_info("words"), "apt_additional_info.txt", "(line 5: not a number)"},
        {"additional_info", additional_info("binary"), "apt_additional_info.txt", "is not a text file"},
        {"additional_info", additional_info("cut"), "apt_additional_info.txt", "its last line is cut short"},
        {"sim_plan", kXmlWithoutPosition, "FUZZ.PLN", "1 waypoints skipped (line 8: no position)"},
        {"performance", "[CLIMB]\n1000 1e308 0 1e308\n5000 272 3000 7300\n", "FUZZ_perf.txt",
         "1 of 3 lines could not be used (line 2: a value no aircraft reaches)",
         [] { EXPECT_EQ(performance_tables.climb_row_count, 1); }},
        {"performance", "[CLIMB]\n" + climb_rows(60), "FUZZ_perf.txt",
         "11 left out: the table of rows of a section holds 49"},
        // Numbers read whole: a field that is not a number in its range
        // leaves its record out.
        {"nav_database", join_parts({"FIXA FIXA 47 -122\nFIXB FIXB 47.5x -122\n"}), "ints.txt",
         "1 of 2 lines could not be used (line 2: position is no number)"},
        {"nav_database",
         join_parts({"", "", "", "", "", "",
                     "SEA SEATTLE 47.4 -122.3 VOR 116.80\nBAD NAN 47 -122 VOR nan\n"
                     "BIG BIG 47 -122 VOR 1e308\nNEG NEG 47 -122 NDB -5\nNDB NDB 47 -122 NDB -\n"}),
         "navs.txt", "3 of 5 lines could not be used (line 2: frequency no number from 108 to 118 MHz)",
         [] { EXPECT_EQ(navaid_table.count(), 2); }},
        {"performance", "[CLIMB]\n0 0 0 0\n5000 1e-300 3000 7300\n5000 272 3000 7300\n", "FUZZ_perf.txt",
         "2 of 4 lines could not be used (line 2: a value no aircraft reaches)",
         [] { EXPECT_EQ(performance_tables.climb_row_count, 1); }},
        {"atc_boundaries",
         "ZSE SEATTLE 47 -122\nZSE SEATTLE 48 237.5\nZSE SEATTLE 48 -122\nZSE SEATTLE 49 -122q\n",
         "atc_bdry.txt", "1 of 4 lines could not be used (line 4: no position)",
         [] {
             ASSERT_EQ(atc_boundaries[1].points.count(), 2);
             EXPECT_EQ(atc_boundaries[1].points[1].longitude, -122.5);
         }},
        {"sim_plan",
         "[flightplan]\ndeparture_id=KSEA, N47* 26.98'\n"
         "waypoint.0=, KSEA, , KSEA, A, N47* 26.98', W122* 18.00', +000433.00, \n"
         "waypoint.1=K1, HUGE, , HUGE, I, N1e308* 0.00', W122* 0.00', +0, \n"
         "waypoint.2=K1, NAN, , NAN, I, N47* 0.00', Wnan* 0.00', +0, \n"
         "waypoint.3=K1, MIN, , MIN, I, N47* 99.99', W122* 0.00', +0, \n"
         "waypoint.4=K1, ELN, , ELN, V, N47* 01.44', W120* 27.40', +0, \n",
         "FUZZ.PLN", "3 waypoints skipped (line 4: position is no degrees and minutes)"},
        {"approach",
         join_parts(
             {"KSEA", kAirport, "",
              "[KSEA]\n16L I16L FIXA IAF 1e308 47.7 -122.3 - 43 32\n16L I16L FIXB IAF 6000 47.7 -122.3 - "
              "999 32\n16R I16R FIXC IAF 6000 47.7 -122.3 - 43 32\n"}),
         "apps.txt", "2 of 4 lines could not be used (line 2: altitude no number from -1500 to 60000 ft)",
         [] { EXPECT_EQ(airport_slots[destination_slot].approaches.count(), 1); }},
        // Every number read whole, within what it stands for.
        {"nav_database", nav_files(4, "KSEA SEATTLE 433 47.4 -122.3\nKBIG BIG 1e9 47 -122\n"), "apts.txt",
         "(line 2: elevation no number from -1500 to 30000 ft)", [] { EXPECT_EQ(airport_table.count(), 1); }},
        {"sid", join_parts({"KSEA", "KSEA SEATTLE 1e9 47.449 -122.309\n"}), "apts.txt",
         "line 1: KSEA: elevation no number from -1500 to 30000 ft; that airport is not loaded"},
        {"sid", join_parts({"KSEA", airport_with_runway("16L_11901_47.46_-122.31_163_110.90x_ILS_163")}),
         "apts.txt", "1 runways left out (16L: frequency no number from 108 to 118 MHz)"},
        {"sid", join_parts({"KSEA", airport_with_runway("16L_-11000_47.46_-122.31_163_110.30_ILS_163")}),
         "apts.txt", "1 runways left out (16L: runway length no number from 0 to 50000 ft)"},
        {"sid", join_parts({"KSEA", airport_with_runway("16L_11901_47.46_-122.31_163_110.30_ILS_1e308")}),
         "apts.txt", "1 runways left out (16L: course no number from 0 to 360)"},
        {"sid", sid_with_leg("FIXA FL99999 --- 47.3 -122.3"), "sids.txt",
         "(line 3: altitude no flight level from FL0 to FL600); SID BAD1 left out whole"},
        {"sid", sid_with_leg("FIXA -5000 --- 47.3 -122.3"), "sids.txt",
         "(line 3: altitude no number from -1500 to 60000 ft); SID BAD1 left out whole"},
        {"sid", sid_with_leg("/H999/ --- 16L 47.3 -122.3"), "sids.txt",
         "(line 3: course no number from 0 to 360); SID BAD1 left out whole"},
        {"sid", sid_with_leg("/T162/UD-5.0 --- 16L 47.3 -122.3"), "sids.txt",
         "(line 3: DME distance no number from 0 to 200 NM); SID BAD1 left out whole"},
        {"nav_database", nav_files(6, "SEA SEATTLE 47.4 -122.3 VOR 116.80\nRNT RENTON 47.4 -122.2 NDB\n"),
         "navs.txt", "1 lines taken though a value is wrong (line 2: no frequency)",
         [] { EXPECT_EQ(navaid_table.count(), 2); }},
        {"nav_database",
         nav_files(2, "J1 1 EUG 44.1 -123.2\nJ1 3 HALSE 44.5 -123.0\nJ1 2 SALMN 44.9 -122.9\n"), "awys.txt",
         "1 lines taken though a value is wrong (line 3: sequence out of order)"},
        {"nav_database", nav_files(2, "J1 -1 EUG 44.1 -123.2\nJ1 2 HALSE 44.5 -123.0\n"), "awys.txt",
         "(line 1: sequence no whole number from 0)"},
        // No more lines than a reader takes are read.
        {"performance", "[CLIMB]\n" + repeated(";\n", 12000) + "5000 272 3000 7300\n", "FUZZ_perf.txt",
         "read no further than line 10000", [] { EXPECT_EQ(performance_tables.climb_row_count, 0); }},
        // A last line cut short that still reads whole.
        {"nav_database", nav_files(0, "FIXA FIXA 47.500000 -122.309300\nFIXB FIXB 47.200000 -12"), "ints.txt",
         kCutShortNote},
        {"nav_database", nav_files(6, "SEA SEATTLE 47.4 -122.3 VOR 116.80\nPAE PAINE 47.9 -122.2 VOR"),
         "navs.txt", kCutShortNote},
        // Junk is told wherever it stands, and a line past the buffer too.
        {"star", join_parts({"KSEA", kAirport, "", std::string(10000, 'x') + "\n" + star_of_legs(1)}),
         "stars.txt", "1 of 4 lines could not be used (line 1: no position); 1 lines too long, cut (line 1)"},
        // A line cut at the reader's length within a number, or a number not
        // whole, leaves its record out.
        {"parking",
         join_parts({"KSEA", "KSEA 47.4 -122." + std::string(300, '3') +
                                 " 90\nKSEA 45.5x -122.5 90\nKBFI 47.5 -122.3 220\n"}),
         "FUZZ_parking.txt",
         "2 of 3 lines could not be used (line 1: a field cut short by the line's length)",
         [] { EXPECT_EQ(parking_position.latitude, 0.0); }},
        {"runway_ref",
         join_parts({"KSEA 16L", "KSEA S 433 47.4 -122.3 16L_11901_" + std::string(1700, '1') +
                                     "\nKPDX P 31 45.5 -122.5 10R_1_1\n"}),
         "orvex_apts.txt", "(line 1: a field cut short by the line's length)"},
        {"additional_info", additional_info("cut number"), "apt_additional_info.txt",
         "(line 5: a field cut short by the line's length)"},
        // A value no aircraft or procedure has is told by line and key or
        // field, with what the module uses instead; a value a reader takes
        // (any Mach from 0) is not told.
        {"module_config", "TransAlt=-99999999\nCruiseMach=2.02\nDispPrevWpt=8\n", "orvex.cfg",
         "orvex.cfg: line 1: TransAlt=-99999999 outside 0 to 100000 ft, 18000 kept; line 3: DispPrevWpt=8 "
         "outside 0 to 1, taken as written, on only at 1",
         [] {
             EXPECT_EQ(TransAlt, 18000);
             EXPECT_EQ(CruiseMach, 2.02);
         }},
        {"aircraft_config",
         "CostIndex=-40\nMaxCruise=1e9\nClimbRate=0\nBestHoldIas=0.5\nHWMD11NDMode=6\nTransAlt=1e4\n"
         "B777PFDSkyColorRed=300\nWeightUnit=tons\n[Lvars]\nb738 efis range=1, MapRnage=10\n[EndLvars]\n",
         "FUZZ.cfg",
         "FUZZ.cfg: line 1: CostIndex=-40 outside -1 to 9999, -1 kept; line 2: MaxCruise=1e9 outside 1000 to "
         "100000 ft, 35000 kept; line 3: ClimbRate=0 outside 1 to 20000 ft/min, 1800 kept; line 4: "
         "BestHoldIas=0.5 outside 1 to 999 kt, 220 kept; line 5: HWMD11NDMode=6 outside 2 to 5, reset to 1; "
         "line 6: TransAlt=1e4 no whole number, 18000 kept; line 7: B777PFDSkyColorRed=300 outside 0 to 255, "
         "taken, "
         "drawn by its low 8 bits; line 8: WeightUnit=tons neither LBS nor KGS, taken, weights shown in "
         "pounds; line 10: binding setting \"MapRnage\" none a binding acts on, kept, acts on nothing",
         [] {
             EXPECT_EQ(cost_index, -1);
             EXPECT_EQ(MaxCruise, 35000);
             EXPECT_EQ(best_hold_ias, 220);
             EXPECT_EQ(hw_md11_nd_mode, kMd11NdModeNone);
         }},
        {"performance", "root:x:0:0:root:/root:/bin/bash\ndaemon:x:1:1:daemon:/usr/sbin:/usr/sbin/nologin\n",
         "FUZZ_perf.txt", "holds nothing usable (line 1: a row outside the tables)"},
        {"performance", "[UNITS]\nFUEL=LBS\n[CLIMB]\n", "FUZZ_perf.txt",
         "it holds no row of a CLIMB, CRUISE, DESCENT or Altitude table"},
        {"approach",
         join_parts(
             {"KSEA", kAirport, "",
              "[KSEA]\n16L I16L FIXA XYZ 6000 47.7 -122.3 - 43 32\n16L I16L FIXB FAF 2400 47.6 -122.3 - "
              "99 32\n"}),
         "apps.txt",
         "apps.txt: line 2: role XYZ none of IAF, FAF, MAF, MAP, ---, kept, read as a transition name; line "
         "3: "
         "descriptor 99 none of 32, 43, 45, 64, kept as written",
         [] { EXPECT_EQ(airport_slots[destination_slot].approaches[1].legs[1].transition, "XYZ"); }},
    };
    for (const Row& row : rows) {
        clear_load_warnings();
        EXPECT_EQ(find_reader_feed(row.reader)->feed(row.input), "") << row.file;
        const std::vector<std::string> told = hostile_warnings_naming(row.file);
        EXPECT_EQ(told.size(), 1u) << row.file << " " << row.told;
        if (told.size() != 1) continue;
        EXPECT_NE(told[0].find(row.told), std::string::npos) << told[0];
        row.also();
    }
}

// PerformanceData is opened as it stands, inside the simulator folder or
// not; the aircraft parameter and ParkingFile are joined to the aircraft
// folder, so a relative name may lead out of it and an absolute one stays
// under it. Only what is not a regular file is refused, and a file that
// cannot be opened is told once, naming the paths tried. Nothing hangs on a
// device or a pipe.
TEST(HostileReaders, configuredNamesAreOpenedAsTheyStandAndOnlyRegularFilesAreRead) {
    TempFolder sim;
    const std::string outside = TempFolder::make_unique_folder("orvex_outside_");
    ASSERT_FALSE(outside.empty());
    std::filesystem::path root = sim.path();
    std::ofstream(outside + "/perf.txt") << "[CLIMB]\n5000 272 3000 7300\n";
    std::ofstream(outside + "/parking.txt") << "KSEA 47.4 -122.3 90\n";
    std::ofstream(outside + "/PLANT.cfg") << "TransAlt=12345\n";
    sim.mkdir("orvex/Aircraft/folder.txt");
    const std::string relative_outside =
        std::filesystem::relative(outside, root / "orvex" / "Aircraft").string();
    struct Row {
        std::function<void()> read;
        std::string file; // the end of the path the warning names; empty: none
        const char* told;
        std::function<bool()> loaded = [] { return true; };
    };
    std::vector<Row> rows = {
        {[&] {
             PerformanceData = outside + "/perf.txt";
             load_performance_data();
         },
         "", "", [] { return performance_tables.climb_row_count == 1; }},
        {[&] {
             ParkingFile = relative_outside + "/parking.txt";
             lookup_parking_position("KSEA");
         },
         "", "", [] { return parking_position.heading == 90.0; }},
        {[&] {
             aircraft_parameter = relative_outside + "/PLANT";
             load_aircraft_config();
         },
         "", "", [] { return TransAlt == 12345; }},
        {[&] {
             ParkingFile = outside + "/parking.txt";
             lookup_parking_position("KSEA");
         },
         "Aircraft" + outside + "/parking.txt", "cannot be opened"},
        {[&] {
             PerformanceData = outside + "/none.txt";
             load_performance_data();
         },
         "none.txt", "cannot be opened, nor can "},
        {[&] {
             PerformanceData = "folder.txt";
             load_performance_data();
         },
         "folder.txt", kNotRegularFile},
#ifndef _WIN32
        {[&] {
             std::filesystem::create_symlink("/dev/zero", root / "orvex/Aircraft/zero_perf.txt");
             PerformanceData = "zero_perf.txt";
             load_performance_data();
         },
         "zero_perf.txt", kNotRegularFile},
        {[&] {
             std::filesystem::create_symlink("/dev/urandom", root / "orvex/Aircraft/random_parking.txt");
             ParkingFile = "random_parking.txt";
             lookup_parking_position("KSEA");
         },
         "random_parking.txt", kNotRegularFile},
        {[&] {
             sim.mkdir("orvex/flightplans");
             ASSERT_EQ(::mkfifo((root / "orvex/flightplans/HANG.RTE").c_str(), 0600), 0);
             list_flight_plans();
         },
         "HANG.RTE", kNotRegularFile},
        {[&] {
             sim.mkdir("orvex/navdata");
             ASSERT_EQ(::mkfifo((root / "orvex/navdata/atc_bdry.txt").c_str(), 0600), 0);
             load_atc_boundaries();
         },
         "atc_bdry.txt", kNotRegularFile},
#endif
    };
    for (const Row& row : rows) {
        host_folder = sim.path();
        clear_load_warnings();
        row.read();
        const std::vector<std::string> told = hostile_warnings_naming(row.file);
        if (row.file.empty()) {
            EXPECT_TRUE(row.loaded()) << row.told;
            continue;
        }
        ASSERT_EQ(told.size(), 1u) << row.file;
        EXPECT_NE(told[0].find(row.told), std::string::npos) << told[0];
    }
    std::filesystem::remove_all(outside);
}
