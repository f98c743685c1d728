// Procedure records for the picker and insertion tests, built leg by leg.
#pragma once

#include "data/airport_procedures.h"

#include <string>
#include <vector>

struct LegSpec {
    std::string fix;
    std::string transition = "";
    std::string runways = "";  // the leg's runway restriction
    std::string marker = "";   // "*" on the junction leg
    std::string role = "";     // approaches
    std::string altitude = ""; // the constraint text
    std::string approach = ""; // approaches: the approach name
};

// The legs lie 0.1 degree apart going north from 47 N 8 E.
inline ProcedureRecord make_procedure(const std::string& name, const std::string& runways,
                                      const std::vector<LegSpec>& legs) {
    ProcedureRecord record;
    record.name = name;
    record.runway_transition_list = runways;
    for (const LegSpec& spec : legs) {
        ProcedureLeg leg;
        leg.fix = spec.fix;
        leg.transition = spec.transition;
        leg.runway_restriction = spec.runways;
        leg.marker = spec.marker;
        leg.fix_role = spec.role;
        leg.constraint_text = spec.altitude;
        leg.approach_name = spec.approach;
        leg.latitude = 47.0 + 0.1 * (record.legs.count() + 1);
        leg.longitude = 8.0;
        record.legs.append(std::move(leg));
    }
    return record;
}

inline void set_runways(AirportProcedures& slot, const std::vector<std::string>& designators) {
    slot.runways.clear();
    for (const std::string& d : designators) {
        AirportRunway r;
        r.designator = d;
        slot.runways.append(std::move(r));
    }
}

template <class Table> std::vector<std::string> texts(const Table& table) {
    std::vector<std::string> out;
    for (int i = 1; i <= table.count(); ++i)
        out.push_back(table[i]);
    return out;
}
