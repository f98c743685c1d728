#include "fms/nav/nearest_vors.h"

#include "fms/math/nav_math.h"
#include "fms/nav/nearby_lists.h"
#include "fms/plan/candidate_list.h"
#include "fms/procedures/airport_detail.h"
#include "sim/aircraft_state.h"

#include <utility>

void find_nearest_vors(const NavTable<1001>& navaids, double lat, double lon, double magvar) {
    for (int i = 1; i <= 9; ++i)
        nearest_vors[i] = NearestVor{};

    // The entry a nearer VOR replaces: the farthest, the lower one on a tie.
    int worst = 1;
    for (int r = 1; r <= navaids.count(); ++r) {
        const NavRecordView navaid = navaids[r];
        double distance = 0.0, course = 0.0;
        gc_dist_course(lat, lon, navaid.latitude, navaid.longitude, &distance, &course);
        if (navaid.kind != "V" || !(nearest_vors[worst].distance_nm > distance)) continue;
        double bearing = course - magvar;
        if (bearing < 0.5) bearing += 360.0;
        nearest_vors[worst] =
            NearestVor{std::string(navaid.ident), std::string(navaid.extra), distance, bearing};
        double greatest = -1.0;
        for (int i = 1; i <= 9; ++i)
            if (nearest_vors[i].distance_nm > greatest) {
                greatest = nearest_vors[i].distance_nm;
                worst = i;
            }
    }

    // Farthest first; restart after every exchange.
    for (int k = 1; k <= 8;) {
        if (nearest_vors[k + 1].distance_nm > nearest_vors[k].distance_nm) {
            std::swap(nearest_vors[k], nearest_vors[k + 1]);
            k = 1;
        } else {
            ++k;
        }
    }
}

void find_nearest_vors() {
    find_nearest_vors(local_navaids, aircraft_state.plat, aircraft_state.plon, aircraft_state.magvar);
}

void refresh_nearest_vors() {
    const AircraftState& a = aircraft_state;
    build_near_navaids(a.plat, a.plon);
    build_local_navaids(a.plat, a.plon);
    find_nearest_vors();
}

void select_ref_nav_candidate(int n) {
    if (n < 1 || n > candidate_list().count()) return;
    ref_nav_fix = candidate_list()[n];
    const std::string& kind = ref_nav_fix.kind;
    if (kind == "I") {
        ref_nav_kind = kRefNavFix;
    } else if (kind == "N" || kind == "V") {
        ref_nav_kind = kRefNavNavaid;
    } else if (kind == "APT") {
        runway_ref_text.clear();
        ref_nav_runway_ident.clear();
        ref_nav_kind = kRefNavAirport;
    }
}
