// The bundled example's KSEA (origin) and KPDX (destination) with their
// procedures and the example navigation database, in a copy of the example
// simulator folder; plans written by ident for the insertion tests.
#pragma once

#include "data/nav_database.h"
#include "fms/plan/route_exec.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/selection_texts.h"
#include "fms/procedures/airport_detail.h"
#include "fms/procedures/procedure_insertion.h"
#include "gns_mcu/gns_cursors.h"
#include "plan_builder.h"
#include "platform/temp_folder.h"
#include "sim/host_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

class ExampleAirports : public ::testing::Test {
  protected:
    void SetUp() override {
        std::filesystem::copy(std::string(ORVEX_SOURCE_DIR) + "/examples/sim", sim_.path(),
                              std::filesystem::copy_options::recursive);
        host_folder = sim_.path();
        load_nav_database();
        load_airport_detail("KSEA", 1);
        load_airport_detail("KPDX", 2);
        origin_airport_ident = "KSEA";
        const ChoicesEdit c(working_plan);
        for (std::string* s : {&c->departure_runway, &c->sid, &c->sid_transition, &c->arrival_runway,
                               &c->star, &c->star_transition, &c->approach, &c->approach_transition})
            *s = "------";
        working_cursor.move_to(1);
    }

  private:
    TempFolder sim_;
};

// A plan by idents; the first and the last entry are airports.
inline void write_plan(auto& plan, const std::vector<std::string>& idents) {
    const int last = static_cast<int>(idents.size()) - 1;
    PlanBuilder::set_last(plan, last);
    for (int i = 0; i <= last; ++i) {
        RouteWaypoint& w = PlanBuilder::entry(plan, i);
        w = RouteWaypoint{};
        w.ident = idents[static_cast<std::size_t>(i)];
        w.type = i == 0 || i == last ? "APT" : "WPT";
        w.lat = 46.0 + 0.01 * i;
        w.lon = -122.0;
    }
    PlanBuilder::give_ids(plan);
}

// "IDENT/KIND" of every entry, kind empty en route.
inline std::vector<std::string> ident_kinds(const RoutePlan& plan, int last) {
    std::vector<std::string> out;
    for (int i = 0; i <= last; ++i)
        out.push_back(plan[i].ident + "/" + plan[i].kind);
    return out;
}
