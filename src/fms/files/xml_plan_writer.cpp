#include "fms/files/xml_plan_writer.h"

#include "fms/math/lat_lon_text.h"
#include "fms/math/position_dms.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/vertical_state.h"
#include "platform/os.h"
#include "sim/host_folder.h"

#include <cstdio>

namespace {

struct PositionText {
    std::string lat, lon;
};

PositionText pln_position(const RouteWaypoint& w) {
    std::string lat, lon;
    format_lat_lon_dms(w.lat, -w.lon, &lat, &lon, kDmsDegrees);
    PositionText out;
    format_pln_position(lat, lon, out.lat, out.lon);
    return out;
}

const char* type_name(const std::string& type) {
    if (type == "APT") return "Airport";
    // Plan entries carry "VOR" and "NDB"; the one-letter kinds come from
    // database records.
    if (type == "V" || type == "VOR") return "VOR";
    if (type == "N" || type == "NDB") return "NDB";
    return "Intersection";
}

} // namespace

void write_xml_flight_plan() {
    if (active_plan_last < 0) return;
    std::FILE* f = os::open_file(host_folder + "\\Orvex\\Navdata\\tmpfplan.pln", "w");
    if (!f) return;
    const RouteWaypoint& first = active_plan[0];
    const RouteWaypoint& last = active_plan[active_plan_last];
    const PositionText from = pln_position(first), to = pln_position(last);
    const char* a = first.ident.c_str();
    const char* b = last.ident.c_str();

    std::fputs("<?xml version=\"1.0\" encoding=\"Windows-1252\"?>\n\n", f);
    std::fputs("<SimBase.Document Type=\"AceXML\" version=\"1,0\">\n", f);
    std::fputs("    <Descr>AceXML Document</Descr>\n", f);
    std::fputs("    <FlightPlan.FlightPlan>\n", f);
    std::fprintf(f, "        <Title>%s to %s</Title>\n", a, b);
    std::fputs("        <FPType>IFR</FPType>\n", f);
    std::fputs("        <RouteType>HighAlt</RouteType>\n", f);
    std::fprintf(f, "        <CruisingAlt>%d</CruisingAlt>\n", cruise_altitude);
    std::fprintf(f, "        <DepartureID>%s</DepartureID>\n", a);
    std::fprintf(f, "        <DepartureLLA>%s\" , %s\",</DepartureLLA>\n", from.lat.c_str(),
                 from.lon.c_str());
    std::fprintf(f, "        <DestinationID>%s</DestinationID>\n", b);
    std::fprintf(f, "        <DestinationLLA>%s\" , %s\",</DestinationLLA>\n", to.lat.c_str(),
                 to.lon.c_str());
    std::fprintf(f, "        <Descr>%s, %s</Descr>\n", a, b);
    std::fprintf(f, "        <DeparturePosition>%s</DeparturePosition>\n", first.position.c_str());
    std::fprintf(f, "        <DepartureName>%s</DepartureName>\n", a);
    std::fprintf(f, "        <DestinationName>%s</DestinationName>\n", b);
    std::fputs("        <AppVersion>\n", f);
    std::fputs("            <AppVersionMajor>10</AppVersionMajor>\n", f);
    std::fputs("            <AppVersionBuild>60905</AppVersionBuild>\n", f);
    std::fputs("        </AppVersion>\n", f);
    for (int i = to_waypoint_index - 1; i <= active_plan_last; ++i) {
        if (i < 0) continue;
        const RouteWaypoint& w = active_plan[i];
        const PositionText p = pln_position(w);
        std::fprintf(f, "        <ATCWaypoint id=\"%s\">\n", w.ident.c_str());
        std::fprintf(f, "             <ATCWaypointType>%s</ATCWaypointType>\n", type_name(w.type));
        std::fprintf(f, "             <WorldPosition>%s\",%s\",</WorldPosition>\n", p.lat.c_str(),
                     p.lon.c_str());
        std::fputs("             <ICAO>\n", f);
        std::fprintf(f, "                 <ICAOIdent>%s</ICAOIdent>\n", w.ident.c_str());
        std::fputs("             </ICAO>\n", f);
        std::fputs("        </ATCWaypoint>\n", f);
    }
    std::fputs("    </FlightPlan.FlightPlan>\n", f);
    std::fputs("</SimBase.Document>\n", f);
    std::fclose(f);
}
