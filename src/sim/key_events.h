// Simulator key events by role, with the simulator's own numbers: the module
// sends some and answers others, and the numbers must match the host exactly.
#pragma once

#include <cstdint>

// Sent by the module. The value is 0 unless stated.
inline constexpr uint32_t kKeyPauseToggle = 0x10019;
inline constexpr uint32_t kKeyAltimeterSetting = 0x10030;
inline constexpr uint32_t kKeyEfs50KnobLeft = 0x1007E;
inline constexpr uint32_t kKeyEfs50KnobRight = 0x1007F;
inline constexpr uint32_t kKeyNav1FrequencySet = 0x100AC; // BCD
inline constexpr uint32_t kKeyAdfFrequencySet = 0x100B2;  // BCD
inline constexpr uint32_t kKeyNav1CourseSet = 0x100B4;    // whole degrees
inline constexpr uint32_t kKeySimRateIncrease = 0x100FD;
inline constexpr uint32_t kKeySimRateDecrease = 0x100FE;
inline constexpr uint32_t kKeyHeadingHold = 0x1010F;
inline constexpr uint32_t kKeyAutopilotNavLock = 0x1011B;
inline constexpr uint32_t kKeyAirspeedHoldOff = 0x10143;
inline constexpr uint32_t kKeyEfs50KnobUp = 0x10157;
inline constexpr uint32_t kKeyEfs50KnobDown = 0x10158;
inline constexpr uint32_t kKeyTodSpeedModeSecond = 0x10163;
inline constexpr uint32_t kKeyTocMachHold = 0x1017B;
inline constexpr uint32_t kKeyAutopilotVerticalSpeedSet = 0x101F4; // ft/min, negative down
inline constexpr uint32_t kKeyAutopilotAirspeedSet = 0x101F5;      // knots
inline constexpr uint32_t kKeyAutopilotMachSet = 0x101F6;          // Mach x 100
inline constexpr uint32_t kKeyHeadingBugSet = 0x101FA;             // whole degrees
inline constexpr uint32_t kKeyClockHoursSet = 0x1021B;
inline constexpr uint32_t kKeyClockMinutesSet = 0x1021C;
inline constexpr uint32_t kKeyTocAirspeedHold = 0x1022E;
inline constexpr uint32_t kKeyTodSpeedModeFirst = 0x1023E;
inline constexpr uint32_t kKeyAutopilotAltitudeSet = 0x1024C; // feet
inline constexpr uint32_t kKeyDecisionHeightInc = 0x10311;
inline constexpr uint32_t kKeyDecisionHeightDec = 0x10312;

// Received by the module's key-event handler.
inline constexpr uint32_t kKeyNavLockToggle = 0x100C1; // toggles LNAV with LnavOnNavLock 1
inline constexpr uint32_t kKeyNdAirportsToggle = 0x10295;
inline constexpr uint32_t kKeyNdNavaidsToggle = 0x10296;
inline constexpr uint32_t kKeyNdIntersectionsToggle = 0x10298;
inline constexpr uint32_t kKeyNdRangeUp = 0x10299;
inline constexpr uint32_t kKeyNdModeUp = 0x1029B;
inline constexpr uint32_t kKeyNdModeDown = 0x102AF;
inline constexpr uint32_t kKeyNdRangeDown = 0x102DE;
inline constexpr uint32_t kKeyLnavToggle = 0x10337;
inline constexpr uint32_t kKeyVnavToggle = 0x10338;
inline constexpr uint32_t kKeyNdTcasToggle = 0x10339;

// The key events above by name, for scripts and their help: the module's own
// toggles first, then what it sends.
struct KeyEventName {
    const char* name;
    uint32_t id;
};
inline constexpr KeyEventName kKeyEventNames[] = {
    {"LNAV", kKeyLnavToggle},
    {"VNAV", kKeyVnavToggle},
    {"NAV_LOCK", kKeyNavLockToggle},
    {"ND_TCAS", kKeyNdTcasToggle},
    {"ND_APT", kKeyNdAirportsToggle},
    {"ND_NAV", kKeyNdNavaidsToggle},
    {"ND_INT", kKeyNdIntersectionsToggle},
    {"ND_RANGE_UP", kKeyNdRangeUp},
    {"ND_RANGE_DOWN", kKeyNdRangeDown},
    {"ND_MODE_UP", kKeyNdModeUp},
    {"ND_MODE_DOWN", kKeyNdModeDown},
    {"AP_ALT_SET", kKeyAutopilotAltitudeSet},
    {"AP_VS_SET", kKeyAutopilotVerticalSpeedSet},
    {"AP_SPD_SET", kKeyAutopilotAirspeedSet},
    {"AP_MACH_SET", kKeyAutopilotMachSet},
    {"HDG_BUG_SET", kKeyHeadingBugSet},
    {"HDG_HOLD", kKeyHeadingHold},
    {"NAV_HOLD", kKeyAutopilotNavLock},
    {"SPD_HOLD", kKeyTocAirspeedHold},
    {"SPD_HOLD_OFF", kKeyAirspeedHoldOff},
    {"MACH_HOLD", kKeyTocMachHold},
    {"TOD_SPD_MODE_1", kKeyTodSpeedModeFirst},
    {"TOD_SPD_MODE_2", kKeyTodSpeedModeSecond},
    {"NAV1_FREQ_SET", kKeyNav1FrequencySet},
    {"ADF_FREQ_SET", kKeyAdfFrequencySet},
    {"NAV1_CRS_SET", kKeyNav1CourseSet},
    {"BARO_SET", kKeyAltimeterSetting},
    {"PAUSE", kKeyPauseToggle},
    {"SIM_RATE_UP", kKeySimRateIncrease},
    {"SIM_RATE_DOWN", kKeySimRateDecrease},
    {"CLOCK_HOURS_SET", kKeyClockHoursSet},
    {"CLOCK_MINUTES_SET", kKeyClockMinutesSet},
    {"DH_INC", kKeyDecisionHeightInc},
    {"DH_DEC", kKeyDecisionHeightDec},
    {"EFS50_KNOB_LEFT", kKeyEfs50KnobLeft},
    {"EFS50_KNOB_RIGHT", kKeyEfs50KnobRight},
    {"EFS50_KNOB_UP", kKeyEfs50KnobUp},
    {"EFS50_KNOB_DOWN", kKeyEfs50KnobDown},
};
