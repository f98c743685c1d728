#include "fms/procedures/procedure_legs.h"

#include "data/airport_procedures.h"
#include "data/nav_database.h"
#include "fms/plan/plan_legs.h"
#include "fms/procedures/procedure_selection.h"

void fill_navaid_data(RouteWaypoint& w) {
    if (!w.frequency.empty() || w.type == "APT") return;
    const int n = find_navaid(w.ident, w.type, w.lat);
    if (n <= 0) return;
    const NavRecordView navaid = navaid_table[n];
    w.frequency = navaid.extra;
    if (w.type == "INT" || w.type.empty()) {
        w.type = navaid.kind;
        if (w.type == "V") w.type = "VOR";
        if (w.type == "N") w.type = "NDB";
    }
}

RouteWaypoint procedure_leg(const PreviewLeg& p, const char* kind) {
    RouteWaypoint w;
    w.ident = p.fix;
    w.kind = kind;
    w.via = p.label;
    w.lat = p.latitude;
    w.lon = p.longitude;
    w.flyover = p.flyover;
    w.course = -1.0;
    return w;
}

void keep_entry_identity(RouteWaypoint& rebuilt, const RouteWaypoint& was) {
    rebuilt.id = was.id;
}

RouteWaypoint destination_entry() {
    const AirportProcedures& slot = airport_slots[destination_slot];
    RouteWaypoint w;
    w.ident = slot.airport_ident;
    w.lat = slot.airport_latitude;
    w.lon = slot.airport_longitude;
    w.type = "APT";
    w.course = -1.0;
    return w;
}

RouteWaypoint discontinuity_entry() {
    RouteWaypoint w;
    make_marker(w, EntryKind::Gap);
    w.course = -1.0;
    return w;
}
