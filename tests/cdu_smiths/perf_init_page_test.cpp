// PERF INIT and PERF LIMITS: sub-pages and prompts, the weight, altitude,
// cost-index, wind and temperature entries and the speed/Mach limits.
#include "cdu_smiths/perf_init_values.h"
#include "cdu_smiths/smiths_pages.h"
#include "data/aircraft_settings.h"
#include "data/module_settings.h"
#include "fms/math/air_data.h"
#include "fms/perf/speed_targets.h"
#include "fms/plan/flight_log.h"
#include "fms/plan/route_exec.h"
#include "fms/plan/route_state.h"
#include "fms/plan/vertical_state.h"
#include "gauges/linkage.h"
#include "host_services.h"
#include "page_canvas.h"
#include "sim/sim_var_reader.h"
#include "sim_state.h"

#include <climits>

namespace {

class PerfInitPage : public PageCanvas {
  protected:
    void SetUp() override {
        PageCanvas::SetUp();
        host::reset_sim_state();
        ImportTable.panels = host::services_table();
        host::set_token(386, 6.0);    // 3,000,000 lb on board: no reserve entry
        host::set_token(306, 500000); // is lowered to the fuel
        WeightUnit = "LBS";
        route_state = kRouteStateActive;
        cruise_altitude = 0;
        TransAlt = 18000;
        smiths_perf_init_subpage = 1;
        smiths_cdu_page = kPagePerfInit;
    }
    void TearDown() override {
        ImportTable.panels = nullptr;
        PageCanvas::TearDown();
    }
    // Enters on the page and tells whether it was accepted.
    bool accepted(const std::string& entry, int lsk) {
        enter(entry, lsk);
        return smiths_scratchpad.empty() && smiths_scratchpad_message.empty();
    }
};

} // namespace

TEST_F(PerfInitPage, subPagesWrapAndPromptsLead) {
    draw();
    write_png("perf_init");
    EXPECT_EQ(text_at(63, 0), "PERF  INIT");
    EXPECT_EQ(text_at(220, 0), " 1 /  2");
    smiths_cdu_prev_page = 1;
    route_state = kRouteStateActiveModified;
    draw();
    write_png("perf_limits");
    EXPECT_EQ(text_at(63, 0), "PERF  LIMITS");
    EXPECT_EQ(text_at(0, 198), "< INDEX"); // LIMITS has no erase
    draw(12);
    EXPECT_EQ(smiths_cdu_page, kPageProgress);
    EXPECT_EQ(smiths_progress_subpage, 2);

    smiths_cdu_page = kPagePerfInit;
    smiths_cdu_next_page = 1;
    draw();
    EXPECT_EQ(text_at(0, 198), "< ERASE");
    route_state = kRouteStateActive;
    draw(11);
    EXPECT_EQ(smiths_cdu_page, kPageInitRefIndex);
}

TEST_F(PerfInitPage, weightsInEitherUnitWithinTheirLimits) {
    struct Row {
        const char* unit;
        const char* entry;
        int key;
        bool ok;
        double stored_lb;
    } rows[] = {
        {"LBS", "999.9", 3, true, 999900.0},        {"LBS", "1000", 3, false, 999900.0},
        {"KGS", "60", 3, true, 60000 * 2.20462262}, {"KGS", "950", 3, false, 60000 * 2.20462262},
        {"LBS", "", 3, false, 60000 * 2.20462262},  {"LBS", "2500", 4, false, 0.0},
        {"LBS", "2000", 4, true, 2000000.0},
    };
    fuel_on_board_low_lb = 0.0;
    for (const Row& r : rows) {
        WeightUnit = r.unit;
        EXPECT_EQ(accepted(r.entry, r.key), r.ok) << r.unit << " " << r.entry;
        EXPECT_DOUBLE_EQ(r.key == 3 ? zero_fuel_weight_lb : fuel_on_board_low_lb, r.stored_lb) << r.entry;
    }
    WeightUnit = "KGS";
    draw();
    EXPECT_EQ(text_at(0, 99), "60.0");
    EXPECT_EQ(text_at(0, 66), "1360.8"); // 3,000,000 lb in thousands of kg
}

TEST_F(PerfInitPage, cruiseAltitudeAndCostIndexModifyTheActiveRoute) {
    struct Row {
        const char* entry;
        int key; // 6 R1 CRZ ALT, 5 L5 COST INDEX
        bool ok;
        int value;
    } rows[] = {
        {"FL350", 6, true, 35000}, {"350", 6, true, 35000},      {"FL370", 6, true, 37000},
        {"999", 6, true, 99900},   {"99999", 6, true, 99999},    {"1000", 6, true, 1000},
        {"FL", 6, false, 1000},    {"100000", 6, false, 1000},   {"FL1000", 6, false, 1000},
        {"0", 5, true, 0},         {"00", 5, false, 0},          {"ABC", 5, false, 0},
        {"201", 5, false, 0},      {"200", 5, true, 200},        {"-1", 5, true, -1},
        {"-5", 6, false, 1000},    {"50016000", 6, false, 1000},
    };
    MaxCruise = 35000;       // as an aircraft file without it: no ceiling on the entry
    cruise_altitude = 31000; // as executed
    cost_index = 80;
    for (const Row& r : rows) {
        EXPECT_EQ(accepted(r.entry, r.key), r.ok) << r.entry;
        EXPECT_EQ(r.key == 6 ? cruise_altitude : cost_index, r.value) << r.entry;
    }
    EXPECT_EQ(route_state, kRouteStateActiveModified);
    // ERASE brings back the executed values, not those of the first entries.
    draw(11);
    EXPECT_EQ(route_state, kRouteStateActive);
    EXPECT_EQ(cruise_altitude, 31000);
    EXPECT_EQ(cost_index, 80);

    for (auto [alt, shown] : {std::pair{35000, "FL350"}, std::pair{18000, "18000"}}) {
        cruise_altitude = alt;
        draw();
        EXPECT_EQ(text_at(222, 33), shown);
    }
}

TEST_F(PerfInitPage, windAndTemperaturesAtCruise) {
    EXPECT_TRUE(accepted("0", 8));   // stored without a cruise altitude,
    EXPECT_EQ(text_at(200, 88), ""); // but not shown
    cruise_altitude = 35000;
    EXPECT_TRUE(accepted("0", 8));
    EXPECT_NEAR(toc_outside_air_temp, -54.3, 1e-9);
    EXPECT_TRUE(accepted("-50", 9));
    EXPECT_NEAR(isa_deviation_c, 4.3, 1e-9);
    // Drawn in UTF-8. A deviation of 4.3 C is 7.7 F; the OAT converts with the offset.
    EXPECT_EQ(text_at(170, 103), "8  \xC2\xB0"
                                 "F / 4  \xC2\xB0"
                                 "C");
    EXPECT_EQ(text_at(170, 130), "-58\xC2\xB0"
                                 "F / -50\xC2\xB0"
                                 "C");
    EXPECT_FALSE(accepted("ABC", 9));

    for (const char* bad : {"27/45", "270/", "27045"})
        EXPECT_FALSE(accepted(bad, 7)) << bad;
    EXPECT_TRUE(accepted("270/45", 7));
    EXPECT_EQ(text_at(200, 66), "270\xC2\xB0/ 45");
    EXPECT_TRUE(accepted("270/0", 7));
    EXPECT_EQ(text_at(190, 66), "- - - \xC2\xB0 / - - -");
}

TEST_F(PerfInitPage, speedLimitsPadTheMachAndNeedBothNumbers) {
    smiths_perf_init_subpage = 2;
    struct Row {
        const char* entry;
        int key;
        const char* scratchpad_after; // "" when accepted
    } rows[] = {
        {"250/.78", 2, ""},          {"260/.7", 8, ""},           {"250/78", 4, "250/7800"},
        {"000/.780", 4, "000/.780"}, {"250/.000", 9, "250/.000"},
    };
    for (const Row& r : rows) {
        enter(r.entry, r.key);
        EXPECT_EQ(smiths_scratchpad, r.scratchpad_after) << r.entry;
        EXPECT_EQ(smiths_scratchpad_message.empty(), *r.scratchpad_after == '\0') << r.entry;
    }
    EXPECT_EQ(ClimbIasMin, 250.0);
    EXPECT_DOUBLE_EQ(climb_mach_min, 0.78);
    EXPECT_EQ(CruiseIasMax, 260.0);
    EXPECT_DOUBLE_EQ(cruise_mach_max, 0.7);
    EXPECT_EQ(text_at(0, 71).substr(0, 9), "250 /.780");
}
