// The aircraft configuration file "\orvex\Aircraft\<aircraft_parameter>.cfg",
// with the AIRAC line of the navigation database read first.
#pragma once

#include "data/config_keys.h"

#include <cstdio>
#include <string>

// Reads the AIRAC line of navs.txt, then the aircraft file (its keys win over
// orvex.cfg's; its [Lvars] section replaces the bindings of an earlier load),
// then clamps the display modes, derives the Mach limits, loads the
// performance tables and applies the cost index. Missing files are skipped.
void load_aircraft_config();

// Sets airac_cycle_text and airac_period_text from the ";AIRAC" line of an
// open navs.txt. Returns false, changing nothing, when the file has no such
// line. A period that cannot be built from short tokens keeps its old text.
bool read_airac_line(std::FILE* navs);

// Every key of the aircraft file with its kind (the shared keys, its own and
// the colour channels).
SettingKinds aircraft_setting_kinds();
