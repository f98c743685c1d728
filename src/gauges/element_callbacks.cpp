#include "gauges/element_callbacks.h"

#include "sim/panel_services.h"

#include <cmath>

double ORVEX_FSAPI efs50_eadi_ball_value(ElementHeader*) {
    // A fresh zeroed record per read: the simulator fills only the value.
    ModuleVarBlock block{};
    block.id = 69;
    ps_read_token_var(&block);
    return std::fabs(block.var_value.n) * 0.025;
}
