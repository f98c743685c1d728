// The stored-plan list of the flight-plans folder, and the XML plan writer
// read back through the simulator-plan import.
#include "route_files.h"

#include "fms/files/flight_plan_folder.h"
#include "fms/files/route_file_load.h"
#include "fms/files/stored_routes.h"
#include "fms/files/xml_plan_writer.h"
#include "fms/plan/vertical_state.h"
#include "plan_builder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

std::string two_waypoints(const std::string& from, const std::string& to) {
    return "[FlightPlan]\n" + from + " 47.449 -122.3093 APT\n" + to + " 45.5887 -122.5975 APT\n";
}

} // namespace

TEST(FlightPlanFolder, listsPlansWithTwoWaypointsAndEndsWithTheNewPlanEntry) {
    RouteFolder folder;
    list_flight_plans();
    ASSERT_EQ(stored_routes.count(), 1);
    EXPECT_EQ(stored_routes[1].name, "NEW FPL");
    EXPECT_EQ(stored_routes[1].origin, "NEXT FPL");
    EXPECT_EQ(flight_plan_list_pages, 1);
    EXPECT_EQ(flight_plan_list_page, 1);

    folder.write_plan("KSEAKPDX.RTE", two_waypoints("KSEA", "KPDX"));
    folder.write_plan("TEMP.RTE", two_waypoints("OLD", "TMP"));
    folder.write_plan("notes.txt", two_waypoints("N", "T"));
    folder.write_plan("ONE.RTE", "[FlightPlan]\nKSEA 47.449 -122.3093 APT\n");
    folder.write_plan("KSEAKYKM.pln",
                      "departure_id=KSEA,\nwaypoint.0=KSEA, A, N47* 26.94', W122* 18.56', +0,\n"
                      "waypoint.1=KYKM, A, N46* 34.09', W120* 32.64', +0,\n");
    folder.mkdir("orvex/flightplans/DIR.RTE");
    list_flight_plans();
    ASSERT_EQ(stored_routes.count(), 3);
    EXPECT_EQ(stored_routes[1].name, "KSEAKPDX.RTE");
    EXPECT_EQ(stored_routes[1].origin, "KSEA");
    EXPECT_EQ(stored_routes[1].destination, "KPDX");
    EXPECT_EQ(stored_routes[1].plan.last(), 1);
    EXPECT_EQ(stored_routes[1].plan[1].ident, "KPDX");
    EXPECT_EQ(stored_routes[2].name, "KSEAKYKM.pln");
    EXPECT_EQ(stored_routes[2].destination, "KYKM");
    EXPECT_EQ(stored_routes[3].name, "NEW FPL");

    // Pages of eight: 9 entries make two pages; the page the units keep stays.
    for (int i = 0; i < 6; ++i)
        folder.write_plan("P" + std::to_string(i) + ".RTE", two_waypoints("A", "B"));
    flight_plan_list_page = 2;
    list_flight_plans();
    EXPECT_EQ(stored_routes.count(), 9);
    EXPECT_EQ(flight_plan_list_pages, 2);
    EXPECT_EQ(flight_plan_list_page, 2);
    std::filesystem::remove(folder.path() + "/orvex/flightplans/P0.RTE");
    list_flight_plans();
    EXPECT_EQ(stored_routes.count(), 8);
    EXPECT_EQ(flight_plan_list_pages, 1);
}

TEST(XmlPlanWriter, writesTheRemainingPlanThatTheImportReadsBack) {
    RouteFolder folder;
    folder.mkdir("Orvex/Navdata");
    const struct {
        const char* ident;
        double lat, lon;
        const char* type;
    } plan[] = {{"KSEA", 47.449, -122.3093, "APT"},
                {"SEA", 47.4354, -122.3097, "VOR"},
                {"ALDER", 46.564069, -122.776502, "INT"},
                {"KPDX", 45.5887, -122.5975, "APT"}};
    set_active_last(-1);
    for (const auto& p : plan) {
        RouteWaypoint& w = PlanBuilder::append(active_plan);
        w.ident = p.ident;
        w.lat = p.lat;
        w.lon = p.lon;
        w.type = p.type;
    }
    active_entry(0).position = "16L";
    cruise_altitude = 16000;
    set_flown_to(2); // the list starts at the entry before TO
    write_xml_flight_plan();
    const std::string xml = folder.read("Orvex/Navdata/tmpfplan.pln");
    EXPECT_NE(xml.find("        <DepartureLLA>N47\xB0 26' 56.00\" , W122\xB0 18' 33.00\",</DepartureLLA>\n"),
              std::string::npos);
    EXPECT_NE(xml.find("<CruisingAlt>16000</CruisingAlt>"), std::string::npos);
    EXPECT_NE(xml.find("<DeparturePosition>16L</DeparturePosition>"), std::string::npos);
    EXPECT_EQ(xml.find("<ATCWaypoint id=\"KSEA\">"), std::string::npos);

    folder.write_plan("BACK.PLN", xml);
    set_preview_last(-1);
    load_route_preview("BACK.PLN");
    ASSERT_EQ(preview_plan_last, 2);
    for (int i = 0; i <= 2; ++i) {
        EXPECT_EQ(preview_plan[i].ident, plan[i + 1].ident);
        EXPECT_EQ(preview_plan[i].type, plan[i + 1].type);
        EXPECT_NEAR(preview_plan[i].lat, plan[i + 1].lat, 1.01 / 3600.0); // seconds are truncated
        EXPECT_NEAR(preview_plan[i].lon, plan[i + 1].lon, 1.01 / 3600.0); // seconds are truncated
    }

    set_flown_to(999); // no active route: header only
    write_xml_flight_plan();
    EXPECT_EQ(folder.read("Orvex/Navdata/tmpfplan.pln").find("<ATCWaypoint"), std::string::npos);
}
