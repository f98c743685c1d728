// Value callbacks of the module's moving elements.
#pragma once

#include "sim/gauge_abi.h"

// EFS50_EADI's moved image (bitmap 406): its offset is the absolute value of
// simulator token 69 scaled by 0.025.
double ORVEX_FSAPI efs50_eadi_ball_value(ElementHeader* element);
