// Idents of the simulator's panel windows that the gauges toggle and test.
#pragma once

#include <cstdint>

enum PanelWindow : uint32_t {
    WINDOW_MAIN_PANEL = 0,
    WINDOW_MCU = 4001,
    WINDOW_P1000_MFD = 4002,
    WINDOW_P1000_MFD_CNTR = 4003,
    WINDOW_FMS = 4004,
    WINDOW_EFS50_EADI = 4005,
    WINDOW_EHSI_CNTR = 4007,
    WINDOW_EFS50_EHSI = 4008,
    WINDOW_EHSI_TCAS = 4010,
    WINDOW_HW_B737_ND = 4011,
    WINDOW_FMS2 = 4012,
    WINDOW_EFIS_CTRL = 4013,
    WINDOW_HW_MD11_ND = 4014,
    WINDOW_DU_1000_EHSI = 4017,
    WINDOW_PROLINE4_MFD = 4018,
    WINDOW_A320_EADI = 4022,
    WINDOW_B777_PFD = 4023,
    WINDOW_MD80_EHSI = 4024,
    WINDOW_C17_MFD = 4025,
};
