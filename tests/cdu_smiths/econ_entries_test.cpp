// The entries of the ECON CLB, CRZ and PATH DES pages typed on the keys:
// cruise altitude, target speed and Mach, speed restriction, and ERASE or
// EXEC of the modification they make on the active example route.
#include "cdu_stand_in.h"
#include "data/aircraft_settings.h"
#include "data/module_settings.h"
#include "fms/perf/speed_targets.h"
#include "fms/plan/route_exec.h"
#include "fms/plan/route_state.h"
#include "fms/plan/vertical_state.h"
#include "fms/units/cdu_text.h"

namespace {

class EconEntries : public CduStandIn {
  protected:
    // Types the entry, presses the key and tells whether it was taken; a
    // refused entry is cleared away afterwards.
    bool accepted(const std::string& entry, const std::string& key) {
        press("\"" + entry + "\" " + key);
        const bool ok = smiths_scratchpad.empty() && smiths_scratchpad_message.empty();
        left_ = smiths_scratchpad;
        while (!smiths_scratchpad.empty() || !smiths_scratchpad_message.empty())
            press("CLR");
        return ok;
    }
    void execute_example_route() {
        press("RTE \"KSEA\" L1 \"KPDX\" R1 NEXT \"SEA\" R1 \"V23\" L2 \"BTG\" R2 R6 EXEC");
        ASSERT_EQ(route_state, kRouteStateActive);
    }
    std::string left_; // the scratchpad a refused entry left
};

} // namespace

TEST_F(EconEntries, cruiseAltitudeInFlightLevelsHundredsOrFeet) {
    struct Row {
        const char* entry;
        bool ok;
        const char* left; // scratchpad after a refusal
        int value;
    } rows[] = {
        {"FL350", true, "", 35000},
        {"350", true, "", 35000},
        {"35000", true, "", 35000},
        {"99999", false, "99999", 1000},
        {"0", false, "0", 1000},
        {"-5", false, "-5", 1000},
        {"FLX", false, "X", 1000},
        {"999", true, "", 99900}, // no ceiling from the aircraft file
        {"FL390", true, "", 39000},
        {"99998", true, "", 99998},
        {"FL1000", false, "1000", 1000}, // no flight level above 999
        {"50016000", false, "50016000", 1000},
        {"0.5", true, "", 0}, // a flight level of 0: the boxes again
    };
    MaxCruise = 35000; // as an aircraft file without it
    press("CLB");
    for (const Row& r : rows) {
        cruise_altitude = 1000;
        EXPECT_EQ(accepted(r.entry, "L1"), r.ok) << r.entry;
        EXPECT_EQ(cruise_altitude, r.value) << r.entry;
        EXPECT_EQ(left_, r.left) << r.entry;
    }
    press("CRZ \"FL180\" L1");
    EXPECT_EQ(text_at(5, 33), "18000"); // at the transition altitude, in feet
    press("\"18001\" L1");
    EXPECT_EQ(text_at(5, 33), "FL180");
    EXPECT_EQ(route_state, kRouteStateNone); // no route to modify
}

TEST_F(EconEntries, targetSpeedAndMachWithinTheirRanges) {
    struct Row {
        const char* entry;
        bool ok;
        int speed;
        double mach;
    } rows[] = {
        {"250", true, 250, 0.70},        {"/.78", true, 250, 0.78},
        {"280/.80", true, 280, 0.80},    {"280/", true, 280, 0.0},
        {"500", true, 500, 0.0},         {"49", false, 500, 0.0},
        {"501", false, 500, 0.0},        {"/5", false, 500, 0.0},
        {"4294967546", false, 500, 0.0}, {"260/4294967546", false, 500, 0.0},
    };
    ClimbMach = 0.70;
    press("CLB");
    for (const Row& r : rows) {
        EXPECT_EQ(accepted(r.entry, "L2"), r.ok) << r.entry;
        EXPECT_EQ(climb_speed_target, r.speed) << r.entry;
        EXPECT_DOUBLE_EQ(ClimbMach, r.mach) << r.entry;
    }
    EXPECT_EQ(text_at(5, 66), "500 / 0.00");
    press("DES \"310/.82\" L2");
    EXPECT_EQ(descent_speed_target, 310);
    EXPECT_EQ(text_at(5, 66), "310 / 0.82");
}

TEST_F(EconEntries, speedRestrictionNeedsThreeDigitsAndAnAltitude) {
    press("CLB");
    EXPECT_TRUE(accepted("250/10000", "L3"));
    EXPECT_EQ(text_at(5, 99), "250 / 10000");
    EXPECT_FALSE(accepted("99/5000", "L3"));
    EXPECT_FALSE(accepted("250/999", "L3"));
    EXPECT_EQ(ClbSpdRest, 250.0);
    press("DES");
    EXPECT_TRUE(accepted("240/12000", "L3"));
    EXPECT_EQ(text_at(5, 99), "240 / 12000");
    EXPECT_EQ(DescAltRest, 12000.0);
}

TEST_F(EconEntries, eraseBringsBackTheExecutedValuesAndExecKeepsTheNewOnes) {
    execute_example_route();
    ClimbMach = 0.0; // none: that too comes back
    const PerformanceValues executed = performance_values;
    press("CLB \"265\" L2 \"275/.7\" L2 \"FL330\" L1 \"FL310\" L1");
    EXPECT_EQ(route_state, kRouteStateActiveModified);
    EXPECT_EQ(text_at(0, 198), "< ERASE");
    press("L6");
    EXPECT_EQ(route_state, kRouteStateActive);
    EXPECT_EQ(performance_values, executed);
    EXPECT_EQ(text_at(0, 198), "< MAX   ANGLE");

    press("CRZ \"285\" L2 \"295\" L2 EXEC");
    EXPECT_EQ(route_state, kRouteStateActive);
    EXPECT_EQ(cruise_speed_target, 295);
    EXPECT_EQ(previous_cruise_speed, 0.0);
    press("\"305\" L2 L6"); // ERASE now goes back to what EXEC kept
    EXPECT_EQ(cruise_speed_target, 295);
}
