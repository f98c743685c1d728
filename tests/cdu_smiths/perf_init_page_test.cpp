// PERF INIT and PERF LIMITS: sub-pages and prompts, the weight, altitude,
// cost-index, wind and temperature entries and the speed/Mach limits.
#include "cdu_smiths/perf_init_values.h"
#include "cdu_smiths/smiths_pages.h"
#include "data/aircraft_settings.h"
#include "data/module_settings.h"
#include "fms/air_data.h"
#include "fms/flight_log.h"
#include "fms/route_exec.h"
#include "fms/route_state.h"
#include "fms/speed_targets.h"
#include "fms/vertical_state.h"
#include "gauges/linkage.h"
#include "host_services.h"
#include "page_canvas.h"
#include "sim/sim_var_reader.h"
#include "sim_state.h"

#include <climits>

namespace {

// Every value the page writes, kept around each test.
struct PerfValues {
    double zfw = zero_fuel_weight_lb, reserves = fuel_on_board_low_lb;
    int ci = cost_index, prev_ci = previous_cost_index, crz = cruise_altitude,
        prev_crz = previous_cruise_altitude;
    int wind_dir = cruise_wind_direction, wind_speed = cruise_wind_speed_kt, trans = TransAlt;
    double isa = isa_deviation_c, oat = toc_outside_air_temp;
    double ias[6] = {ClimbIasMin, ClimbIasMax, CruiseIasMin, CruiseIasMax, DescentIasMin, DescentIasMax};
    double mach[6] = {climb_mach_min,  climb_mach_max,   cruise_mach_min,
                      cruise_mach_max, descent_mach_min, descent_mach_max};
    std::string unit = WeightUnit;
    int state = route_state;

    void restore() const {
        zero_fuel_weight_lb = zfw;
        fuel_on_board_low_lb = reserves;
        cost_index = ci;
        previous_cost_index = prev_ci;
        cruise_altitude = crz;
        previous_cruise_altitude = prev_crz;
        cruise_wind_direction = wind_dir;
        cruise_wind_speed_kt = wind_speed;
        TransAlt = trans;
        isa_deviation_c = isa;
        toc_outside_air_temp = oat;
        ClimbIasMin = ias[0], ClimbIasMax = ias[1], CruiseIasMin = ias[2];
        CruiseIasMax = ias[3], DescentIasMin = ias[4], DescentIasMax = ias[5];
        climb_mach_min = mach[0], climb_mach_max = mach[1], cruise_mach_min = mach[2];
        cruise_mach_max = mach[3], descent_mach_min = mach[4], descent_mach_max = mach[5];
        WeightUnit = unit;
        route_state = state;
    }
};

class PerfInitPage : public PageCanvas {
  protected:
    void SetUp() override {
        PageCanvas::SetUp();
        host::reset_sim_state();
        ImportTable.panels = host::services_table();
        WeightUnit = "LBS";
        route_state = 3;
        cruise_altitude = 0;
        TransAlt = 18000;
        smiths_perf_init_subpage = 1;
        smiths_cdu_page = kPagePerfInit;
    }
    void TearDown() override {
        saved_.restore();
        ImportTable.panels = nullptr;
        PageCanvas::TearDown();
    }
    // Enters on the page and tells whether it was accepted.
    bool accepted(const std::string& entry, int lsk) {
        enter(entry, lsk);
        return smiths_scratchpad.empty() && smiths_scratchpad_message.empty();
    }
    PerfValues saved_;
};

} // namespace

TEST_F(PerfInitPage, subPagesWrapAndPromptsLead) {
    draw();
    write_png("perf_init");
    EXPECT_EQ(text_at(18, 0), "ACT");
    EXPECT_EQ(text_at(63, 0), "PERF  INIT");
    EXPECT_EQ(text_at(220, 0), " 1 /  2");
    EXPECT_EQ(text_at(175, 198), "TAKEOFF >");
    EXPECT_EQ(text_at(0, 198), "< INDEX");
    smiths_cdu_prev_page = 1;
    draw();
    write_png("perf_limits");
    EXPECT_EQ(text_at(63, 0), "PERF  LIMITS");
    EXPECT_EQ(text_at(220, 0), " 2 /  2");
    route_state = 4;
    draw();
    EXPECT_EQ(text_at(0, 198), "< INDEX"); // LIMITS has no erase
    draw(12);
    EXPECT_EQ(smiths_cdu_page, kPageProgress);
    EXPECT_EQ(smiths_progress_subpage, 2);

    smiths_cdu_page = kPagePerfInit;
    smiths_cdu_next_page = 1;
    draw();
    EXPECT_EQ(text_at(63, 0), "PERF  INIT");
    EXPECT_EQ(text_at(0, 198), "< ERASE");
    route_state = 3;
    draw(11);
    EXPECT_EQ(smiths_cdu_page, kPageInitRefIndex);
    smiths_cdu_page = kPagePerfInit;
    draw(12);
    EXPECT_EQ(smiths_cdu_page, kPageTakeoffRef);
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
        {"LBS", "2000", 4, true, 2000000.0},        {"LBS", "-3", 4, false, 2000000.0},
    };
    // 3,000,000 lb on board, so no reserve entry is lowered to the fuel.
    host::set_token(306, 6.0);
    host::set_token(386, 500000);
    fuel_on_board_low_lb = 0.0;
    for (const Row& r : rows) {
        WeightUnit = r.unit;
        EXPECT_EQ(accepted(r.entry, r.key), r.ok) << r.unit << " " << r.entry;
        EXPECT_DOUBLE_EQ(r.key == 3 ? zero_fuel_weight_lb : fuel_on_board_low_lb, r.stored_lb) << r.entry;
    }
    WeightUnit = "KGS";
    accepted("60", 3);
    EXPECT_EQ(text_at(0, 99), "60.0");
    EXPECT_EQ(text_at(0, 66), "1360.8"); // fuel on board in thousands of kg
    host::set_token(386, 100000);        // 600,000 lb: the reserves follow it down
    draw();
    EXPECT_DOUBLE_EQ(fuel_on_board_low_lb, 600000.0);
}

TEST_F(PerfInitPage, cruiseAltitudeAndCostIndexModifyTheActiveRoute) {
    struct Row {
        const char* entry;
        int key; // 6 R1 CRZ ALT, 5 L5 COST INDEX
        bool ok;
        int value;
    } rows[] = {
        {"FL350", 6, true, 35000},
        {"350", 6, true, 35000},
        {"35000", 6, true, 35000},
        {"999", 6, true, 99900},
        {"1000", 6, true, 1000},
        {"FL", 6, false, 1000},
        {"0", 5, true, 0},
        {"00", 5, false, 0},
        {"ABC", 5, false, 0},
        {"201", 5, false, 0},
        {"200", 5, true, 200},
        {"-1", 5, true, -1},
        {"99999999999", 6, true, INT_MAX}, // saturates, never wraps negative
    };
    for (const Row& r : rows) {
        EXPECT_EQ(accepted(r.entry, r.key), r.ok) << r.entry;
        EXPECT_EQ(r.key == 6 ? cruise_altitude : cost_index, r.value) << r.entry;
    }
    EXPECT_EQ(smiths_scratchpad, "");
    EXPECT_EQ(route_state, 4);
    EXPECT_EQ(previous_cost_index, 200);
    EXPECT_EQ(previous_cruise_altitude, 1000);

    for (auto [alt, shown] : {std::pair{35000, "FL350"}, std::pair{18000, "18000"}}) {
        cruise_altitude = alt;
        draw();
        EXPECT_EQ(text_at(222, 33), shown);
    }
    EXPECT_EQ(text_at(0, 165), ""); // cost index -1: boxes
}

TEST_F(PerfInitPage, windAndTemperaturesAtCruise) {
    draw();
    EXPECT_EQ(text_at(200, 88), ""); // no cruise altitude: no ISA DEV row
    EXPECT_TRUE(accepted("0", 8));   // still stored
    EXPECT_DOUBLE_EQ(isa_deviation_c, 0.0);

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
    enter("", 8);
    EXPECT_TRUE(smiths_scratchpad_message.empty());

    for (const char* bad : {"27/45", "270/", "27045"})
        EXPECT_FALSE(accepted(bad, 7)) << bad;
    EXPECT_TRUE(accepted("270/45", 7));
    EXPECT_EQ(text_at(200, 66), "270\xC2\xB0/ 45");
    EXPECT_TRUE(accepted("270/0", 7));
    EXPECT_EQ(text_at(190, 66), "- - - \xC2\xB0 / - - -");
    EXPECT_TRUE(accepted("5000", 10));
    EXPECT_EQ(text_at(210, 165), " 5000");
}

TEST_F(PerfInitPage, speedLimitsPadTheMachAndNeedBothNumbers) {
    smiths_perf_init_subpage = 2;
    struct Row {
        const char* entry;
        int key;
        const char* scratchpad_after; // "" when accepted
    } rows[] = {
        {"250/.78", 2, ""},          {"260/.7", 8, ""},           {"250/78", 4, "250/7800"},
        {"000/.780", 4, "000/.780"}, {"250/.000", 9, "250/.000"}, {"25/.78", 9, "25/.7800"},
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
