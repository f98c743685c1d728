#include "sim/host_probe.h"

#include "platform/os.h"
#include "sim/host_folder.h"

int host_sim_version = 9;

void detect_host_simulator() {
    static const char* const kMarks[] = {"fsx.exe", "ace.exe", "simobjects", "Missions"};
    int found = 0;
    for (const os::FindData& entry : os::find_files(host_folder + "\\*.*")) {
        for (const char* mark : kMarks)
            if (entry.name == mark) ++found;
        if (found >= 4) break;
    }
    if (found >= 3) host_sim_version = 10;
}
