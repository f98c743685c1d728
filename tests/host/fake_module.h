// A small gauge module built in the test: a display gauge with a drawing
// element and two click spots, a click-spot-only gauge that toggles window
// 4001, a server-like gauge that registers variables and a key-event handler,
// and a header defined but not listed. Its callbacks record every call.
#pragma once

#include "sim/gauge_abi.h"
#include "sim/panel_services.h"

#include <string>
#include <vector>

namespace fake {

struct CallbackCall {
    GaugeHeader* gauge;
    int32_t service;
    std::string parameters;
    bool surface = false; // the display's drawing element had a device context
};

struct MouseCall {
    int spot;
    PixPoint point;
    uint32_t flags;
};

struct KeyCall {
    uint32_t id;
    uint32_t parameter;
    uintptr_t user_data;
};

extern ImportTableRecord imports;
extern ModuleLinkage linkage;
extern GaugeHeader hidden_header; // defined, not in the linkage table

extern std::vector<CallbackCall> callback_calls;
extern std::vector<MouseCall> mouse_calls;
extern std::vector<KeyCall> key_calls;
extern int init_calls;
extern int deinit_calls;
extern int32_t server_published; // module variable of the server gauge
extern double server_distance;

// Bitmap sizes of the display gauge's elements.
inline constexpr int DISPLAY_W = 100, DISPLAY_H = 80; // background
inline constexpr int SURFACE_W = 60, SURFACE_H = 40;  // drawing surface
inline constexpr int NEEDLE_W = 6, NEEDLE_H = 30;     // moving image on the surface

// Calls through the table written into `imports`, as the module does.
template <class Fn> Fn slot(PanelServiceSlot s) {
    return reinterpret_cast<Fn>(imports.panels->slot[s]);
}

void reset();

} // namespace fake
