// The module configuration file "\orvex\orvex.cfg".
#pragma once

// Reads orvex.cfg under host_folder (a missing file leaves the defaults),
// then presets the selection texts, probes the host generation, starts the
// flight log and sets config_loaded.
void load_config();
