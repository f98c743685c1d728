#include "robustness/reader_samples.h"

#include "data/aircraft_settings.h"
#include "data/airport_procedures.h"
#include "data/atc_boundaries.h"
#include "data/lvar_bindings.h"
#include "data/module_settings.h"
#include "data/nav_database.h"
#include "data/performance_tables.h"
#include "fms/plan/airways.h"
#include "fms/plan/route_plan.h"
#include "fms/plan_builder.h"
#include "fms/procedures/airport_detail.h"
#include "fms/units/smiths_scratchpad.h"

#include <cstdio>

namespace {

std::string format(const char* f, double a, double b = 0.0, double c = 0.0) {
    char text[200];
    std::snprintf(text, sizeof text, f, a, b, c);
    return text;
}

// "ident@lat,lon" of records first..last of a table.
template <class Table> std::string records(const Table& table) {
    std::string s = std::to_string(table.count()) + ":";
    for (int i = 1; i <= table.count(); ++i)
        s += " " + std::string(table[i].ident) + format("@%g,%g", table[i].latitude, table[i].longitude);
    return s;
}

std::string procedures(const BoundedTable<ProcedureRecord, 141>& sids,
                       const BoundedTable<ProcedureRecord, 91>& stars,
                       const BoundedTable<ProcedureRecord, 141>& approaches) {
    std::string s;
    auto add = [&s](const auto& table) {
        s += "[" + std::to_string(table.count()) + "]";
        for (int i = 1; i <= table.count(); ++i) {
            s += " " + table[i].name + table[i].second_text + ":";
            for (int l = 1; l <= table[i].legs.count(); ++l)
                s += " " + table[i].legs[l].fix + table[i].legs[l].marker;
        }
    };
    add(sids);
    add(stars);
    add(approaches);
    return s;
}

const char* const kAirportLine =
    "KSEA SEATTLE 433 47.449 -122.309 16L_11901_47.46_-122.31_162_110.30_ILS_162 "
    "34R_11901_47.43_-122.31_342_110.90_ILS_342\n";

std::string slot_summary(int slot) {
    const AirportProcedures& s = airport_slots[static_cast<std::size_t>(slot)];
    std::string text = s.airport_ident + " runways " + std::to_string(s.runways.count());
    for (int i = 1; i <= s.runways.count(); ++i)
        text += " " + s.runways[i].designator + format("/%g", s.runways[i].reciprocal_heading);
    return text + " " + procedures(s.sids, s.stars, s.approaches);
}

void reset_slots() {
    for (AirportProcedures& s : airport_slots) {
        s.airport_ident = "unset";
        s.runways.clear();
        s.sids.clear();
        s.stars.clear();
        s.approaches.clear();
    }
}

} // namespace

const std::vector<ReaderSample>& reader_samples() {
    static const std::vector<ReaderSample> samples = {
        {"module_config",
         {"; settings\nTransAlt=12000\nFlightPlansFolder=My Plans\n"},
         {0},
         [] {
             TransAlt = -1;
             FlightPlansFolder = "unset";
         },
         [] { return "TransAlt " + std::to_string(TransAlt) + " folder " + FlightPlansFolder; }},
        {"aircraft_config",
         {"; aircraft\nModelId=737-800\n[Lvars]\nL:Lights=1,HWB737NDMode=3\n[EndLvars]\nEngId=CFM\n",
          ";AIRAC cycle : 0501 (20-JAN-2005 - 16-FEB-2005)\nSEA SEATTLE 47.4 -122.3 VOR 116.80\n"},
         {0, 1},
         [] {
             ModelId = EngId = airac_cycle_text = "unset";
             lvar_bindings.clear();
         },
         [] {
             std::string s = ModelId + " " + EngId + " " + airac_cycle_text + " bindings " +
                             std::to_string(lvar_bindings.count());
             for (int i = 1; i <= lvar_bindings.count(); ++i)
                 s += " " + lvar_bindings[i].variable_name + "=" + lvar_bindings[i].setting_name;
             return s;
         }},
        {"performance",
         {"; table\n[CLIMB]\n10000 280 2500 3000\n[GRWT 100 120]\n30000 450 2000 2100\n[DESCENT]\n"
          "20000 300 -2000 800\n"},
         {0},
         [] { performance_tables = PerformanceTables{}; },
         [] {
             const PerformanceTables& t = performance_tables;
             return format("climb %g cruise %g descent %g", t.climb_row_count, t.cruise_row_count,
                           t.descent_row_count) +
                    format(" weights %g %g %g", t.weight_count, t.weight(1), t.weight(2)) +
                    format(" rows %g %g %g", t.climb[1][21], t.cruise[1].slots[2], t.descent[1][2]);
         }},
        {"nav_database",
         {"; fixes\nALPHA ALPHA 47.1 -122.1\nBRAVO BRAVO 47.2 -122.2\n", "", "J1 1 ALPHA 47.1 -122.1\n", "",
          "KSEA SEATTLE 433 47.4 -122.3\n", "", "SEA SEATTLE 47.4 -122.3 VOR 116.80\n",
          "OLM OLYMPIA 46.9 -122.9 NDB 300\n"},
         {0, 1, 2, 3, 4, 5, 6, 7},
         [] {
             intersection_table.clear();
             airway_fix_table.clear();
             airport_table.clear();
             navaid_table.clear();
         },
         [] {
             return records(intersection_table) + " | " + records(airway_fix_table) + " | " +
                    records(airport_table) + " | " + records(navaid_table);
         }},
        {"sid",
         {"KSEA", kAirportLine, "",
          "; departures\n[KSEA]\nT SID1 16L 16L\nSID1 ALPHA 5000 16L 47.5 -122.3\n"
          "SID1.EAST BRAVO 6000 16L 47.6 -122.1\n[KPDX]\nT OTHER 10R 10R\n",
          ""},
         {1, 2, 3, 4},
         reset_slots,
         [] { return slot_summary(origin_slot); }},
        {"star",
         {"KSEA", kAirportLine, "",
          "; arrivals\n[KSEA]\nT STAR1 16L 16L\nWEST.STAR1 CHARL 9000 --- 47.6 -122.8\n"
          "STAR1 DELTA 7000 --- 47.5 -122.5\n[KPDX]\n",
          ""},
         {1, 2, 3, 4},
         reset_slots,
         [] { return slot_summary(destination_slot); }},
        {"approach",
         {"KSEA", kAirportLine, "",
          "; approaches\n[KSEA]\n16L ILS16L ECHO IAF 3000 47.6 -122.3 - 64 32\n"
          "16L ILS16L FOXTR FAF 2000 47.5 -122.3 - 43 32\n[KPDX]\n"},
         {1, 2, 3},
         reset_slots,
         [] { return slot_summary(destination_slot); }},
        {"atc_boundaries",
         {"; boundaries\nAAA FIRST 1 1\nAAA x 1.5 2.5\nAAA x 3 4\nBBB SECOND 0 0\nBBB x 5 6\n"},
         {0},
         [] { atc_boundaries.clear(); },
         [] {
             std::string s = std::to_string(atc_boundaries.count());
             for (int i = 1; i <= atc_boundaries.count(); ++i) {
                 const AtcBoundary& b = atc_boundaries[i];
                 s += " " + b.boundary_name + "/" + b.boundary_name2 +
                      format(" %g@%g,%g", b.point_count, b.label_latitude, b.label_longitude);
             }
             return s;
         }},
        {"runway_ref",
         {"KSEA 34R", "; reference\nKSEA NAME 433 47.4 -122.3 16L_11901_150 34R_11901_150_X\n"},
         {1},
         [] { smiths_scratchpad_message.clear(); },
         [] { return runway_ref_text + " message " + smiths_scratchpad_message; }},
        {"parking",
         {"KPDX", "; gates\nKSEA 47.4436 -122.301 270.0\nKPDX 45.5895 -122.5936 360.0\n"},
         {1},
         [] {
             parking_position = ParkingPosition{-1.0, -1.0, -1.0};
         },
         [] {
             return format("%g %g %g", parking_position.latitude, parking_position.longitude,
                           parking_position.heading);
         }},
        {"airway",
         {"J1 BRAVO", "; airways\nJ1 1 ALPHA 47.1 -122.1\nJ1 2 BRAVO 47.2 -122.2\nJ2 1 CHARL 47 -122\n"},
         {1},
         [] { candidate_list().clear(); },
         [] { return records(candidate_list()) + " from " + std::to_string(unit_candidates().from_index); }},
        {"route_file",
         {"; route\nCruiseAlt=35000\n[FlightPlan]\nKSEA 47.449 -122.309 APT --- \nSEA 47.435 -122.31 VOR "
          "116.80\n"
          "KPDX 45.5887 -122.5975 APT --- \n",
          kAirportLine},
         {0, 1},
         [] { set_preview_last(-1); },
         [] {
             std::string s = std::to_string(preview_plan_last) + ":";
             for (int i = 0; i <= preview_plan_last; ++i)
                 s +=
                     " " + preview_plan[i].ident + format("@%g,%g", preview_plan[i].lat, preview_plan[i].lon);
             return s;
         }},
    };
    return samples;
}
