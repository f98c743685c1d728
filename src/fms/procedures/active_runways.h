// The runways in use at an airport, asked from the simulator through the
// data link's runway handshake area, for the MCU airport page.
#pragma once

#include <string>

// Fills active_runway_1..4 ("09R\n", or empty) and sets mcu_apt_page_count:
// 1 while asking, 2 once runways arrived. At most 30 polls; a link that
// cannot be opened leaves the texts empty.
void query_active_runways_ipc(const std::string& ident);
