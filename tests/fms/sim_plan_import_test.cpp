// The simulator's ".PLN" plans in both forms turned into temp.rte and read
// through the preview reader; the position texts; failures that leave the
// plans alone.
#include "route_files.h"

#include "data/load_warnings.h"
#include "fms/files/route_file_load.h"
#include "fms/files/sim_plan_import.h"
#include "fms/math/lat_lon_text.h"
#include "fms/math/position_dms.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/route_values.h"
#include "fms/plan/update_state.h"
#include "fms/units/gns_page_state.h"
#include "fms/units/mcu_page_state.h"
#include "fms/units/smiths_scratchpad.h"
#include "plan_builder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

double dms(int d, int m, int s) {
    return d + m / 60.0 + s / 3600.0;
}

struct Expected {
    const char* ident;
    double lat, lon;
    const char* type;
};

void expect_preview(RouteFolder&, const std::string& name, const std::vector<Expected>& rows) {
    set_preview_last(-1);
    load_route_preview(name);
    ASSERT_EQ(preview_plan_last, static_cast<int>(rows.size()) - 1) << name;
    for (int i = 0; i <= preview_plan_last; ++i) {
        EXPECT_EQ(preview_plan[i].ident, rows[i].ident) << name << " " << i;
        EXPECT_NEAR(preview_plan[i].lat, rows[i].lat, 1e-5) << name << " " << i;
        EXPECT_NEAR(preview_plan[i].lon, rows[i].lon, 1e-5) << name << " " << i;
        EXPECT_EQ(preview_plan[i].type, rows[i].type) << name << " " << i;
    }
}

const char* const kXml =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "    <DepartureID>KSEA</DepartureID>\n"
    "        <ATCWaypoint id=\"KSEA\">\n"
    "            <ATCWaypointType>Airport</ATCWaypointType>\n"
    "            <WorldPosition>N47@ 26' 58.00\",W122@ 18' 34.60\",+000433.00</WorldPosition>\n"
    "        </ATCWaypoint>\n"
    "        <ATCWaypoint id=\"NOPOS\">\n"
    "            <ATCWaypointType>Intersection</ATCWaypointType>\n"
    "        </ATCWaypoint>\n"
    "        <ATCWaypoint id=\"JFK\">\n"
    "            <ATCWaypointType>VOR</ATCWaypointType>\n"
    "            <WorldPosition>N40@ 37' 58.40\",W73@ 46' 17.00\",+000000.00</WorldPosition>\n"
    "        </ATCWaypoint>\n"
    "        <ATCWaypoint id=\"SYD\">\n"
    "            <ATCWaypointType>User</ATCWaypointType>\n"
    "            <WorldPosition>S33@ 56' 49.00\",E151@ 10' 38.00\",+000000.00</WorldPosition>\n"
    "        </ATCWaypoint>\n";

std::string with_degree(const std::string& text, const std::string& degree) {
    std::string out;
    for (char c : text)
        out += c == '@' ? degree : std::string(1, c);
    return out;
}

} // namespace

TEST(PositionDms, formatsAndParsesTheColonForm) {
    struct Row {
        double lat, lon;
        int mode;
        const char *lat_text, *lon_text;
    } rows[] = {{47.4497, 122.25, kDmsDegrees, "N47:26:58", "W122:15:00"},
                {0.5, -8.5, kDmsDegrees, "N00:30:00", "E08:30:00"},
                {-33.5, 122.3, kDmsDegrees, "S33:30:00", "W122:18:00"}, // 122.3 is held a hair below
                {0.5 / 57.29577951308232, 0.0, kDmsRadians, "N00:30:00", "W00:00:00"}};
    for (const Row& r : rows) {
        std::string lat, lon;
        format_lat_lon_dms(r.lat, r.lon, &lat, &lon, r.mode);
        EXPECT_EQ(lat, r.lat_text);
        EXPECT_EQ(lon, r.lon_text);
    }
    double lat = 0.0, lon = 0.0;
    parse_dms_position("N47:26:59", "W122:18:33", &lat, &lon);
    EXPECT_DOUBLE_EQ(lat, dms(47, 26, 59));
    EXPECT_DOUBLE_EQ(lon, dms(122, 18, 33));
    parse_dms_position("S07:05:30", "E73:05:12", &lat, &lon);
    EXPECT_DOUBLE_EQ(lat, dms(7, 5, 30));
    EXPECT_DOUBLE_EQ(lon, dms(73, 5, 12));
    parse_dms_position("N4", "", &lat, &lon); // short texts read what is there
    EXPECT_DOUBLE_EQ(lat, 4.0);
    EXPECT_DOUBLE_EQ(lon, 0.0);

    std::string a, b;
    format_pln_position("N47:26:58", "W122:15:00", a, b);
    EXPECT_EQ(a, "N47\xB0 26' 58.00");
    EXPECT_EQ(b, "W122\xB0 15' 00.00");
}

TEST(SimPlanImport, iniPlansByTheirLeadingFieldWithNormalisedPositions) {
    RouteFolder folder;
    const std::string body = "waypoint.1=K1, SEA, , SEA, V, N47* 26.12', W122* 18.58', +000000.00, \n"
                             "waypoint.2=K1, SOUTH, , SOUTH, I, S7* 5.50', W73* 5.50', +000000.00, V2\n"
                             "waypoint.3=K1, NOPOS, , NOPOS, I\n"
                             "waypoint.4=K1, E\n";
    folder.write_plan("LEAD.PLN", "[flightplan]\ndeparture_id=KSEA, N47* 26.98', W122* 18.56', +000433.00\n"
                                  "waypoint.0=, KSEA, , KSEA, A, N47* 26.98', W122* 18.00', +000433.00, \n" +
                                      body);
    folder.write_plan("DEP.PLN", "departure_id=KSEA, N47* 26.98'\n"
                                 "waypoint.0=KSEA, A, N47* 26.98', W122* 18.00', +000433.00,\n" +
                                     body);
    const Expected sea_lead{"SEA", dms(47, 26, 7), -dms(122, 18, 35), "VOR"};
    const Expected ksea{"KSEA", dms(47, 26, 59), -dms(122, 18, 0), "APT"};
    const Expected south_lead{"SOUTH", -dms(7, 5, 30), -dms(73, 5, 30), "INT"};
    expect_preview(folder, "LEAD.PLN", {ksea, sea_lead, south_lead});
    expect_preview(
        folder, "dep.pln",
        {ksea, {"K1", sea_lead.lat, sea_lead.lon, "VOR"}, {"K1", south_lead.lat, south_lead.lon, "INT"}});
}

TEST(SimPlanImport, positionsOffTheGlobeAreLeftOutAndNamed) {
    RouteFolder folder;
    folder.write_plan("FAR.PLN", "[flightplan]\ndeparture_id=KSEA, N47* 26.98'\n"
                                 "waypoint.0=, KSEA, , KSEA, A, N47* 26.98', W122* 18.00', +000433.00, \n"
                                 "waypoint.1=K1, NORTH, , NORTH, I, N95* 0.00', W122* 0.00', +0, \n"
                                 "waypoint.2=K1, WEST, , WEST, I, N47* 0.00', W500* 0.00', +0, \n"
                                 "waypoint.3=K1, EDGE, , EDGE, I, S90* 0.00', E180* 0.00', +0, \n");
    expect_preview(folder, "FAR.PLN",
                   {{"KSEA", dms(47, 26, 59), -dms(122, 18, 0), "APT"}, {"EDGE", -90, 180, "INT"}});
    LoadWarning w;
    ASSERT_TRUE(take_load_warning(w));
    EXPECT_EQ(w.file.substr(w.file.rfind('/') + 1) + ": " + w.text,
              "FAR.PLN: 2 waypoints skipped (line 4: position off the globe)");
}

TEST(SimPlanImport, xmlPlansWithEitherDegreeSignAndMixedFiles) {
    RouteFolder folder;
    folder.write_plan("LATIN.PLN", with_degree(kXml, "\xB0"));
    folder.write_plan("UTF8.PLN", with_degree(kXml, "\xC2\xB0"));
    const std::vector<Expected> rows = {{"KSEA", dms(47, 26, 58), -dms(122, 18, 34), "APT"},
                                        {"JFK", dms(40, 37, 58), -dms(73, 46, 17), "VOR"},
                                        {"SYD", -dms(33, 56, 49), dms(151, 10, 38), "WPT"}};
    expect_preview(folder, "LATIN.PLN", rows);
    expect_preview(folder, "UTF8.PLN", rows);

    // INI lines until the first "<DepartureID>", XML rules from there on.
    folder.write_plan("MIXED.PLN",
                      "departure_id=KBFI,\nwaypoint.0=KBFI, A, N47* 31.80', W122* 18.12', +0,\n" +
                          with_degree(kXml, "\xB0"));
    std::vector<Expected> mixed = {{"KBFI", dms(47, 31, 48), -dms(122, 18, 7), "APT"}};
    mixed.insert(mixed.end(), rows.begin(), rows.end());
    expect_preview(folder, "MIXED.PLN", mixed);
}

TEST(SimPlanImport, failuresReportAndLeaveTheFilesAndPlansAlone) {
    RouteFolder folder;
    folder.write_plan("temp.rte", "[FlightPlan]\nOLD 1 2 WPT\n");
    folder.write_plan("NOTAPLAN.PLN", "hello\nwaypoint.1=no position here\n");
    set_working_last(1);
    working_entry(0).ident = "KEEP0";
    working_entry(1).ident = "KEEP1";
    // Told only on the unit that asked for the plan (the folder's listing
    // asks for none); every other unit's text stays.
    const struct {
        RouteLoadAsker asker;
        const char *smiths, *gns, *mcu, *text_page;
    } askers[] = {
        {RouteLoadAsker::Nobody, "DELETE", "", "PAE", "KSEA"},
        {RouteLoadAsker::Smiths, "ROUTE FILE NOT LOADED", "", "PAE", "KSEA"},
        {RouteLoadAsker::Gns, "DELETE", "ROUTE FILE NOT LOADED", "PAE", "KSEA"},
        {RouteLoadAsker::Mcu, "DELETE", "", "Unable to load FP", "KSEA"},
        {RouteLoadAsker::TextPage, "DELETE", "", "PAE", "Unable to load FP"},
    };
    for (const char* name : {"MISSING.PLN", "NOTAPLAN.PLN"}) {
        EXPECT_EQ(import_simulator_flight_plan(name), -99) << name;
        for (const auto& row : askers) {
            smiths_scratchpad_message = "DELETE";
            gns_refusal_text.clear();
            mcu_entry_text = "PAE";
            mcu_keyboard_text = "KSEA";
            route_file_request_name = name;
            if (row.asker == RouteLoadAsker::Nobody)
                load_route_preview(name);
            else if (row.asker == RouteLoadAsker::Mcu)
                load_route_file(kRouteFileRequestMcu);
            else if (row.asker == RouteLoadAsker::TextPage)
                load_route_file(kRouteFileRequestTextPage);
            else
                EXPECT_FALSE(load_route_file_to_working(name, 0, row.asker));
            const std::string where = std::string(name) + " asked by " + std::to_string(int(row.asker));
            EXPECT_EQ(smiths_scratchpad_message, row.smiths) << where;
            EXPECT_EQ(gns_refusal_text, row.gns) << where;
            EXPECT_EQ(mcu_entry_text, row.mcu) << where;
            EXPECT_EQ(mcu_keyboard_text, row.text_page) << where;
            EXPECT_EQ(working_plan_last, 1) << where;
            EXPECT_EQ(working_plan[1].ident, "KEEP1") << where;
        }
    }
    EXPECT_EQ(folder.read_plan("temp.rte"), "[FlightPlan]\nOLD 1 2 WPT\n");

    // temp.rte cannot be written: no success reported over a stale plan.
    folder.write_plan("GOOD.PLN", with_degree(kXml, "\xB0"));
    std::filesystem::remove(folder.path() + "/orvex/flightplans/temp.rte");
    folder.mkdir("orvex/flightplans/temp.rte");
    EXPECT_EQ(import_simulator_flight_plan("GOOD.PLN"), -99);
}
