// The stand-in's panel-services table: every slot the module calls, filled
// with the simulator's side of the operation (sim_state.h).
#pragma once

#include "sim/panel_services.h"

namespace host {

// The one table of the process; slots the module does not call stay null.
PanelServices* services_table();

} // namespace host
