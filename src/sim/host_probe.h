// Which generation of the simulator hosts the module.
#pragma once

// 9 by default; 10 when the simulator folder holds the newer host's files.
extern int host_sim_version;

// Lists host_folder and counts the entries named exactly "fsx.exe",
// "ace.exe", "simobjects" or "Missions"; three or more make the host
// generation 10. A folder that cannot be listed changes nothing.
void detect_host_simulator();
