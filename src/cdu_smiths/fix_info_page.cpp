// FIX INFO (page 37): a reference fix per sub-page with up to three
// radial/distance points, the aircraft's radial and distance from the fix,
// and for each point the time and distance to fly there direct. The maps
// draw the same records.
#include "cdu_smiths/cdu_eta.h"
#include "cdu_smiths/cdu_page_conventions.h"
#include "cdu_smiths/smiths_pages.h"
#include "fms/math/nav_math.h"
#include "fms/nav/fix_info.h"
#include "fms/plan/candidate_list.h"
#include "fms/plan/waypoint_entry.h"
#include "fms/units/cdu_text.h"
#include "sim/aircraft_state.h"

#include <sstream>

namespace {

constexpr int kFixRecords = 2;
constexpr std::size_t kMaxPointEntry = 12;

struct PointRef {
    double& radial;
    double& distance;
};

PointRef point_of(FixInfoRecord& r, int k) {
    if (k == 1) return {r.radial_1, r.distance_1};
    if (k == 2) return {r.radial_2, r.distance_2};
    return {r.radial_3, r.distance_3};
}

void enter_fix(FixInfoRecord& r) {
    if (smiths_scratchpad_message == "DELETE") {
        clear_fix_info(smiths_fix_subpage);
        smiths_scratchpad_message.clear();
        return;
    }
    if (smiths_scratchpad.empty()) return;
    waypoint_lookup_text = smiths_scratchpad;
    lookup_waypoint_entry(0, aircraft_state.plat, aircraft_state.plon);
    if (candidate_list().count() < 1) {
        smiths_scratchpad_message = "NOT IN DATABASE";
        return;
    }
    const NavListRecord& c = candidate_list()[1];
    r.ident = c.ident;
    r.lat = c.latitude;
    r.lon = c.longitude;
    r.label = c.kind;
    for (int k = 1; k <= 3; ++k) {
        PointRef p = point_of(r, k);
        p.radial = p.distance = 0.0;
    }
    smiths_scratchpad.clear();
}

// RRR/D, RRR or /D.
void enter_point(FixInfoRecord& r, int k) {
    if (r.ident.empty()) return;
    PointRef p = point_of(r, k);
    if (smiths_scratchpad_message == "DELETE") {
        p.radial = p.distance = 0.0;
        smiths_scratchpad_message.clear();
        return;
    }
    if (smiths_scratchpad.empty()) return;
    if (smiths_scratchpad.size() > kMaxPointEntry) {
        smiths_scratchpad_message = "INVALID ENTRY";
        return;
    }
    const bool has_slash = smiths_scratchpad.find('/') != std::string::npos;
    const bool distance_only = smiths_scratchpad[0] == '/';
    std::string text = smiths_scratchpad;
    for (char& c : text)
        if (c == '/') c = ' ';
    std::istringstream in(text);
    std::string t1, t2;
    in >> t1 >> t2;
    double r_value = 0.0;
    double d = 0.0;
    bool radial_number = false;
    if (distance_only) {
        d = cdu_number(t1);
    } else {
        radial_number = cdu_read_number(t1, r_value);
        d = cdu_number(t2);
    }
    // A radial must be a number: "ABC" is not north.
    const bool bad_radial =
        !distance_only && (t1.size() != 3 || !radial_number || r_value < 0.0 || r_value > 360.0);
    const bool bad_distance = has_slash && !(d > 0.0 && d < 999.0);
    if (bad_radial || bad_distance) {
        smiths_scratchpad_message = "INVALID ENTRY";
        return;
    }
    if (!distance_only) p.radial = r_value == 0.0 ? 360.0 : r_value;
    if (has_slash) p.distance = d;
    smiths_scratchpad.clear();
}

void act_on_key(FixInfoRecord& r) {
    const int key = smiths_cdu_lsk;
    if (key == 1) enter_fix(r);
    if (key >= 2 && key <= 4) enter_point(r, key - 1);
}

// UTC time of arrival, flying `distance` NM at the present ground speed.
std::string arrival_time(double distance) {
    const CduEta eta = cdu_eta(distance, false);
    return cdu_format("%02d%02dZ", eta.hours, eta.minutes);
}

void draw_rows(CduPage& page, FixInfoRecord& r) {
    const AircraftState& a = aircraft_state;
    cdu_text(page, 5, 55, CduFont::Small, "R A D /    D I S    E T A          D T G     A L T");
    if (r.ident.empty()) {
        cdu_box_prompts(page, {5, 15, 25, 35, 45}, 38);
        return;
    }
    cdu_text(page, 5, 33, CduFont::Large, cdu_format("%s", r.ident.c_str()));
    double dist = 0.0, course = 0.0;
    gc_dist_course(a.plat, a.plon, r.lat, r.lon, &dist, &course);
    double radial = course - a.magvar;
    if (radial < 0.5) radial += 360.0;
    radial += 180.0;
    if (radial >= 360.0) radial -= 360.0;
    if (radial == 0.0) radial = 360.0;
    cdu_text(page, 70, 33, CduFont::Large, cdu_format("%03.0f/%5.1f", radial, dist));

    const float row_y[] = {66, 99, 133};
    for (int k = 1; k <= 3; ++k) {
        const float y = row_y[k - 1];
        const PointRef p = point_of(r, k);
        cdu_text(page, 5, y, CduFont::Large, p.radial == 0.0 ? "---" : cdu_format("%03.0f", p.radial));
        cdu_text(page, 70, y, CduFont::Large, p.distance == 0.0 ? "---" : cdu_format("%.1f", p.distance));
        if (a.ground_speed_kt > 75.0 && p.radial > 0.0 && p.distance > 0.0) {
            double plat = 0.0, plon = 0.0, to_go = 0.0, c = 0.0;
            gc_destination_point(r.lat, r.lon, p.radial + a.magvar, p.distance, &plat, &plon);
            gc_dist_course(plat, plon, a.plat, a.plon, &to_go, &c);
            cdu_text(page, 145, y, CduFont::Large, arrival_time(to_go));
            cdu_text(page, 230, y, CduFont::Large, cdu_format("%3.1f", to_go));
        }
    }
}

} // namespace

void smiths_page_fix_info_keys() {
    // With two records PREV and NEXT both show the other one.
    cdu_step_subpage_once(smiths_fix_subpage, kFixRecords);
    act_on_key(fix_info[smiths_fix_subpage]);
}

void smiths_page_fix_info(const DisplayObject& display, gfx::Graphics& graphics) {
    CduPage page(display, graphics);
    cdu_text(page, 63, 0, CduFont::Large, "FIX INFO");
    cdu_text(page, 230, 0, CduFont::Small, cdu_format("%d / %d", smiths_fix_subpage, kFixRecords));
    cdu_text(page, 12, 22, CduFont::Small, "F I X         R A D / D I S   F R");
    draw_rows(page, fix_info[smiths_fix_subpage]);
    cdu_scratchpad_line(page);
}
