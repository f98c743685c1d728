// APPROACH REF (page 12): gross weight, the three approach flap settings with
// their reference speeds, the chosen landing flap/speed pair and the
// destination runway of the chosen approach.
#include "cdu_smiths/cdu_page_conventions.h"
#include "cdu_smiths/smiths_pages.h"
#include "data/aircraft_settings.h"
#include "data/airport_procedures.h"
#include "data/module_settings.h"
#include "fms/plan/flight_log.h"
#include "fms/plan/route_exec.h"
#include "fms/plan/route_plan.h"
#include "fms/units/cdu_text.h"
#include "sim/sim_var_reader.h"

#include <cstdlib>

namespace {

const char kDegree[] = "\xB0";
// Above this a speed entry is a typing error (and would not fit an int).
constexpr double kMaxSpeedKt = 999.0;

// R1..R3: copy the speed down, or take the entry as the new speed.
void speed_key(int& vref) {
    if (smiths_scratchpad.empty()) {
        smiths_scratchpad = cdu_format("%d", vref);
        return;
    }
    double value = 0.0;
    const bool number = cdu_read_number(smiths_scratchpad, value);
    if (number && value < 0.0) return;
    if (!number || value > kMaxSpeedKt || (static_cast<int>(value) == 0 && smiths_scratchpad != "0")) {
        smiths_scratchpad_message = "INVALID ENTRY";
        return;
    }
    vref = static_cast<int>(value);
    smiths_scratchpad.clear();
}

// R4: "flaps/speed" must name one of the three pairs exactly.
void flap_speed_key() {
    const std::string& entry = smiths_scratchpad;
    const std::size_t slash = entry.find('/');
    if (entry.empty() || slash == std::string::npos || slash < 2) return;
    const std::string flaps = entry.substr(0, slash);
    double speed = 0.0;
    const bool number = cdu_read_number(entry.substr(slash + 1), speed);
    const struct {
        const std::string& flaps;
        int vref;
    } pairs[] = {{APPRFLAPSMIN, VREFMIN}, {APPRFLAPSMID, VREFMID}, {APPRFLAPSMAX, VREFMAX}};
    for (const auto& pair : pairs) {
        if (flaps != pair.flaps || !number || speed != static_cast<double>(pair.vref)) continue;
        LDGFLAPS = std::atoi(flaps.c_str());
        VREF = pair.vref;
        smiths_scratchpad.clear();
        return;
    }
    smiths_scratchpad_message = "INVALID ENTRY";
}

void act_on_key() {
    switch (smiths_cdu_lsk) {
    case 6:
        return speed_key(VREFMIN);
    case 7:
        return speed_key(VREFMID);
    case 8:
        return speed_key(VREFMAX);
    case 9:
        return flap_speed_key();
    case 11:
        smiths_cdu_page = kPageInitRefIndex;
        return;
    default:
        return;
    }
}

void runway_rows(CduPage& page) {
    const AirportProcedures& destination = airport_slots[destination_slot];
    // The approach and runway that EXEC matched to the route.
    const bool approach =
        approach_record_index > 0 && approach_record_index <= destination.approaches.count();
    const bool runway = approach_runway_index > 0 && approach_runway_index <= destination.runways.count();
    if (!approach && !runway) return;
    static const AirportRunway kNoRunway;
    const AirportRunway& rwy = runway ? destination.runways[approach_runway_index] : kNoRunway;
    // The airport whose runway this is: the destination entry of the pages
    // is empty once executed.
    const std::string& airport = destination.airport_ident;
    if (runway) {
        cdu_text(page, 10, 121, CduFont::Small, cdu_format("%s %s", airport.c_str(), rwy.designator.c_str()));
        cdu_text(page, 0, 138, CduFont::Large,
                 cdu_format("%05dFT*%04.0fM", rwy.length_ft, rwy.length_ft * 0.3048));
        cdu_text(page, 185, 156, CduFont::Small, "F R O N T  C R S");
        cdu_text(page, 230, 172, CduFont::Large, cdu_format("%03.0f%s", rwy.magnetic_heading, kDegree));
    }
    const std::string name = approach ? destination.approaches[approach_record_index].second_text : "---";
    cdu_text(page, 10, 156, CduFont::Small, cdu_format(" %s %s", name.c_str(), rwy.designator.c_str()));
    cdu_text(page, 0, 172, CduFont::Large, approach ? rwy.info_text : "------");
    if (!airport.empty() && airport != "------") {
        cdu_text(page, 110, 156, CduFont::Small, "E L E V");
        cdu_text(page, 110, 172, CduFont::Large, cdu_format("%d", destination.elevation_ft));
    }
}

} // namespace

void smiths_page_approach_ref_keys() {
    act_on_key();
}

void smiths_page_approach_ref(const DisplayObject& display, gfx::Graphics& graphics) {
    CduPage page(display, graphics);

    double gross = sim_var_object.get_fuel_on_board_lb() + zero_fuel_weight_lb;
    if (WeightUnit == "KGS") gross *= 0.45359237;
    cdu_text(page, 63, 0, CduFont::Large, "APPROACH REF");
    cdu_text(page, 12, 22, CduFont::Small, "G R O S S   W T");
    cdu_text(page, 0, 33, CduFont::Large, cdu_format("%3.1f", gross / 1000.0));
    cdu_text(page, 150, 22, CduFont::Small, "F L A P S");
    cdu_text(page, 230, 22, CduFont::Small, "V R E F");
    const std::string* flaps[] = {&APPRFLAPSMIN, &APPRFLAPSMID, &APPRFLAPSMAX};
    const int speeds[] = {VREFMIN, VREFMID, VREFMAX};
    for (int i = 0; i < 3; ++i) {
        const float y = 33.0f + 33.0f * static_cast<float>(i);
        cdu_text(page, 160, y, CduFont::Large, cdu_format("%3s%s", flaps[i]->c_str(), kDegree));
        cdu_text(page, 223, y + 5.0f, CduFont::Small, cdu_format("%3d K T", speeds[i]));
    }
    cdu_text(page, 190, 121, CduFont::Small, "F L A P / S P D");
    if (LDGFLAPS != 0 && VREF != 0) {
        cdu_text(page, 210, 133, CduFont::Large, cdu_format("%2d%s/%3d", LDGFLAPS, kDegree, VREF));
    } else {
        cdu_text(page, 215, 133, CduFont::Large, "- -  - - -");
        cdu_text(page, 235, 138, CduFont::Small, "/");
    }
    runway_rows(page);
    cdu_text(page, 0, 184, CduFont::Large, "- - - - - - - - - - - - - - - - - - - - - - - - -");
    cdu_text(page, 0, 198, CduFont::Large, "< INDEX");
    cdu_scratchpad_line(page);
}
