// Inputs the readers keep what they can of, each told once in the load
// warnings with the file, the line and what was kept.
#include "airport_files.h"
#include "route_files.h"

#include "data/aircraft_settings.h"
#include "data/airport_procedures.h"
#include "data/load_warnings.h"
#include "data/nav_database.h"
#include "data/performance_tables.h"
#include "fms/files/flight_plan_folder.h"
#include "fms/files/sim_plan_import.h"
#include "fms/files/stored_routes.h"
#include "fms/plan/candidate_list.h"
#include "fms/plan/waypoint_entry.h"
#include "fms/procedures/airport_detail.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace {

std::string messages_numbered(const char* prefix, int n) {
    return prefix + std::to_string(n);
}

// A leg line of a STAR at ZZAA, a little further north each time.
std::string star_leg(const std::string& first_token, int n) {
    return first_token + " " + messages_numbered("F", n) + " 5000 --- " + std::to_string(47.01 + n * 0.001) +
           " 7.9\n";
}

void load_destination(TempFolder& sim, const char* file, const std::string& text) {
    write_navdata(sim, "apts.txt", kTestAirportLine);
    write_navdata(sim, file, text);
    load_airport_detail("ZZAA", destination_slot);
}

std::vector<std::string> warnings_of(const std::string& file) {
    std::vector<std::string> out;
    for (LoadWarning w; take_load_warning(w);)
        if (w.file.substr(w.file.rfind('/') + 1) == file) out.push_back(w.text);
    return out;
}

} // namespace

TEST(ReaderMessages, whatIsKeptOfAnInputOutsideTheFormatIsToldOnce) {
    struct Row {
        const char* what;
        std::function<void(TempFolder&)> read; // writes the files, reads them and checks what is kept
        const char* file;                      // the file named
        const char* told;                      // "" when nothing may be told
    };
    const Row rows[] = {
        {"a .PLN's waypoint indexes",
         [](TempFolder&) {
             RouteFolder folder;
             const std::string wpt = ", N47* 26.12', W122* 18.58', +000000.00, \n";
             folder.write_plan(
                 "IDX.PLN", "[flightplan]\ndeparture_id=KSEA, N47* 26.94'\n"
                            "waypoint.0=, KSEA, , KSEA, A" +
                                wpt + "waypoint.5=K1, A1, , A1, I" + wpt +
                                "waypoint.4294967297=K1, A2, , A2, I" + wpt + "waypoint.-1=K1, A3, , A3, I" +
                                wpt + "waypoint.99999999999999999999=K1, A4, , A4, I" + wpt +
                                "waypoint.3x=K1, A5, , A5, I" + wpt + "waypoint.07=K1, A6, , A6, I" + wpt +
                                "waypoint.1=, KYKM, , KYKM, A" + wpt + "waypoint.1=K1, A7, , A7, I" + wpt);
             ASSERT_EQ(import_simulator_flight_plan("IDX.PLN"), 0);
             const std::string plan = folder.read_plan("temp.rte");
             EXPECT_EQ(std::count(plan.begin(), plan.end(), '\n'), 10)
                 << plan; // every waypoint, in file order
             EXPECT_LT(plan.find("A6"), plan.find("KYKM"));
         },
         "IDX.PLN",
         "5 waypoint indexes not taken (line 5: \"4294967297\" no whole number from 0 to 9999; line 6: "
         "\"-1\" "
         "no whole number from 0 to 9999; line 7: \"99999999999999999999\" no whole number from 0 to 9999; "
         "line 8: \"3x\" no whole number from 0 to 9999; line 11: \"1\" met before): every waypoint kept in "
         "the file's order"},
        {"a STAR transition before any header of its STAR",
         [](TempFolder& sim) {
             load_destination(sim, "stars.txt",
                              "[ZZAA]\nT ARR1 27 27\n" + star_leg("ARR1", 1) + star_leg("ELN.NOPE", 2) +
                                  star_leg("NOPE", 3) + star_leg("ELN.ARR1", 4));
             ASSERT_EQ(airport_slots[destination_slot].stars.count(), 2);
             EXPECT_EQ(airport_slots[destination_slot].stars[2].legs.count(), 2);
         },
         "stars.txt",
         "line 4: transition ELN of STAR NOPE, which no header line names before it: kept, the STAR made of "
         "its lines serves every runway"},
        {"an approach for a runway the airport does not have",
         [](TempFolder& sim) {
             load_destination(
                 sim, "apps.txt",
                 "[ZZAA]\n27 I27 FIXA IAF 5000 47.0 8.1 - 43 32\n"
                 "35 R35 FIXB IAF 5000 47.1 8.0 - 43 32\n35 R35 FIXC FAF 3000 47.05 8.0 - 64 32\n"
                 "A VORA FIXD IAF 5000 47.1 8.1 - 43 32\n"); // circling: for every runway
             EXPECT_EQ(airport_slots[destination_slot].approaches.count(), 3);
         },
         "apps.txt",
         "line 3: approach R35 for runway 35, which the airport's line does not have: kept, without a runway "
         "of the airport"},
        {"more fixes of one ident than the candidate list holds",
         [](TempFolder& sim) {
             // 300 fixes, the nearest to the aircraft last in the file.
             std::string ints;
             for (int i = 0; i < 300; ++i)
                 ints += "ZZZ ZZZ " + std::to_string(10.0 + (299 - i) * 0.05) + " 8.0\n";
             write_navdata(sim, "ints.txt", ints);
             load_nav_database();
             clear_load_warnings();
             waypoint_lookup_text = "ZZZ";
             lookup_waypoint_entry(0, 10.0, 8.0);
             ASSERT_EQ(candidate_list().count(), 250);
             EXPECT_DOUBLE_EQ(candidate_list()[1].latitude, 10.0);
             EXPECT_NEAR(candidate_list()[250].latitude, 10.0 + 249 * 0.05, 1e-9);
         },
         "ints.txt",
         "ZZZ: 50 records left out of the candidates, which hold 250: the nearest to the aircraft kept"},
        {"more fixes of one ident than the candidate list holds, from the user file",
         [](TempFolder& sim) {
             std::string ints;
             for (int i = 0; i < 300; ++i)
                 ints += "ZZZ ZZZ " + std::to_string(10.0 + i * 0.05) + " 8.0\n";
             write_navdata(sim, "ints.txt", "AAA AAA 10.0 8.0\n");
             write_navdata(sim, "ints_user.txt", ints);
             load_nav_database();
             clear_load_warnings();
             waypoint_lookup_text = "ZZZ";
             lookup_waypoint_entry(0, 10.0, 8.0);
             ASSERT_EQ(candidate_list().count(), 250);
         },
         "ints_user.txt",
         "ZZZ: 50 records left out of the candidates, which hold 250: the nearest to the aircraft kept"},
        {"a STAR header named twice",
         [](TempFolder& sim) {
             load_destination(sim, "stars.txt",
                              "[ZZAA]\nT ARR1 27 27\n" + star_leg("ARR1", 1) + "T ARR1 09 09\n" +
                                  star_leg("ARR1", 2));
             ASSERT_EQ(airport_slots[destination_slot].stars.count(), 1);
             EXPECT_EQ(airport_slots[destination_slot].stars[1].legs.count(), 2);
         },
         "stars.txt",
         "line 4: STAR ARR1 named again by a header (first met at line 2): not listed twice, its legs kept "
         "with the first"},
        {"a procedure section for an airport not in the airport file",
         [](TempFolder& sim) {
             write_navdata(sim, "apts.txt", kTestAirportLine);
             load_nav_database();
             clear_load_warnings();
             // Told once, whichever airport's section is read after.
             for (int i = 0; i < 2; ++i)
                 load_destination(sim, "stars.txt",
                                  "[ZZAA]\nT ARR1 27 27\n" + star_leg("ARR1", 1) + "[ZZQQ]\n" +
                                      star_leg("ARR2", 2) + "[zzaa]\n");
             EXPECT_EQ(airport_slots[destination_slot].stars.count(), 1);
         },
         "stars.txt", "1 section for an airport not in the airport file, never read (line 4: [ZZQQ])"},
        {"performance rows out of the order of their table",
         [](TempFolder& sim) {
             sim.write("orvex/Aircraft/perf.txt", "[CLIMB]\n1000 250 3000 7000\n5000 270 2800 6800\n"
                                                  "3000 260 2900 6900\n[DESCENT]\n30000 400 2000 1500\n"
                                                  "20000 380 2000 1600\n20000 370 2000 1600\n");
             host_folder = sim.path();
             PerformanceData = "perf.txt";
             load_performance_data();
             EXPECT_EQ(performance_tables.climb_row_count, 3);
             EXPECT_EQ(performance_tables.descent_row_count, 3);
         },
         "perf.txt",
         "line 4: CLIMB row of altitude 3000 out of the order of the rows before it: kept; line 8: DESCENT "
         "row of altitude 20000 repeated: kept, the row before it is the one used"},
        {"a folder named as a plan among the flight plans",
         [](TempFolder& sim) {
             sim.write("orvex/flightplans/OLD.RTE/KSEAKPDX.RTE", "");
             host_folder = sim.path();
             list_flight_plans();
             EXPECT_EQ(stored_routes.count(), 1); // NEW FPL alone
         },
         "OLD.RTE", "is a folder, not a plan: not listed"},
        {"a link to a folder named as a plan among the flight plans",
         [](TempFolder& sim) {
             sim.write("orvex/flightplans/OLD/KSEAKPDX.RTE", "");
             std::filesystem::create_directory_symlink(sim.path() + "/orvex/flightplans/OLD",
                                                       sim.path() + "/orvex/flightplans/LINK.PLN");
             host_folder = sim.path();
             list_flight_plans();
         },
         "LINK.PLN", "is a folder, not a plan: not listed"},
        {"a STAR choice of more legs than a plan takes",
         [](TempFolder& sim) {
             std::string stars = "[ZZAA]\nT LONG1 27 27\n";
             for (int n = 1; n <= 3; ++n)
                 stars += star_leg("ELN.LONG1", n);
             for (int n = 4; n <= 95; ++n)
                 stars += star_leg("LONG1", n);
             // Three transitions of 40 legs: no choice takes more than 41.
             stars += "T SPLIT1 27 27\n";
             for (int n = 1; n <= 120; ++n)
                 stars += star_leg(messages_numbered("T", n / 40) + ".SPLIT1", n);
             stars += star_leg("SPLIT1", 121);
             load_destination(sim, "stars.txt", stars);
             EXPECT_EQ(airport_slots[destination_slot].stars[1].legs.count(), 95);
         },
         "stars.txt",
         "line 2: STAR LONG1: 95 legs with transition ELN and runway none, a plan takes 80: the last 15 left "
         "out"},
    };
    for (const Row& row : rows) {
        TempFolder sim;
        clear_load_warnings();
        row.read(sim);
        EXPECT_EQ(warnings_of(row.file), std::vector<std::string>{row.told}) << row.what;
    }
}
