// The frame every control unit's callback shares: the service code picks the
// unit's handler, a null gauge does nothing, and the window services start
// and end GDI+ for all units alike.
#pragma once

#include "sim/gauge_abi.h"

#include <functional>

// A unit's handlers; an empty one leaves its service without effect.
struct GaugeServices {
    std::function<void()> pre_install = nullptr;
    std::function<void()> post_install = nullptr;
    std::function<void()> pre_initialize = nullptr;
    std::function<void()> pre_update = nullptr;
    std::function<void()> pre_draw = nullptr;
};

void run_gauge_service(GaugeHeader* gauge, int32_t service, const GaugeServices& on);

// The gauge's first element, the head of its element list (null without one).
ElementHeader* gauge_first_element(const GaugeHeader* gauge);

// Shows element `lamp` of the list from `first` while lit, hides it otherwise.
void show_gauge_lamp(ElementHeader* first, uint32_t lamp, bool lit);
