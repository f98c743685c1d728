// The one way the module's gauge headers are filled: every header carries the
// same version, default size and seven element-list routines.
#pragma once

#include "gauges/linkage.h"
#include "sim/gauge_abi.h"

inline constexpr uint32_t GAUGE_HEADER_VERSION = 0x320;
inline constexpr uint32_t GAUGE_DEFAULT_SIZE = 312;

constexpr GaugeHeader make_gauge_header(const char* name, ElementList elements, MouseRect* mouse_rects,
                                        GaugeCallback callback) {
    GaugeHeader h{};
    h.version = GAUGE_HEADER_VERSION;
    h.name = name;
    h.elements_list = elements;
    h.query = gauge_query;
    h.install = gauge_install;
    h.initialize = gauge_initialize;
    h.update = gauge_update;
    h.generate = gauge_generate;
    h.draw = gauge_draw;
    h.kill = gauge_kill;
    h.size_x_mm = GAUGE_DEFAULT_SIZE;
    h.mouse_rect = mouse_rects;
    h.gauge_callback = callback;
    return h;
}
