#include "fms/files/module_config.h"
#include "data/load_warnings.h"

#include "data/config_keys.h"
#include "data/config_line.h"
#include "data/module_settings.h"
#include "fms/math/air_data.h"
#include "fms/perf/speed_targets.h"
#include "fms/plan/flight_log.h"
#include "fms/plan/gns_choices.h"
#include "fms/plan/plan_edit.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/selection_texts.h"
#include "fms/units/gns_settings.h"
#include "fms/units/update_counters.h"
#include "platform/os.h"
#include "platform/text_file.h"
#include "sim/host_folder.h"
#include "sim/host_probe.h"

namespace {

// A 300-byte line buffer in the file's original reader.
constexpr std::size_t kMaxConfigLine = 298;
// 58 keys: a file of more lines than this is no configuration file.
constexpr int kMaxConfigFileLines = 10000;

void preset_selection_texts() {
    gns_page_choices = GnsChoices{};
    gns_scratchpad = "------";
    ChoicesEdit(working_plan)->clear();
    {
        const PlanEdit edit(active_target(), "the choices at start");
        ChoicesEdit(edit)->clear();
    }
    direct_to_turn_text = "DEFAULT";
    gns_flyover_choice = "NO";
}

} // namespace

void load_config() {
    climb_tas_target = ias_to_tas(climb_speed_target, 15000.0);
    descent_tas_target = ias_to_tas(descent_speed_target, 15000.0);

    const std::string path = host_folder + "\\orvex\\orvex.cfg";
    std::FILE* file = os::open_file(path, "r");
    if (!file) record_missing_file(path);
    if (file) {
        FileLineCheck check{path};
        LineReader reader(file, kMaxConfigLine, kMaxConfigFileLines);
        std::string line;
        while (reader.next(line)) {
            check.line(line, reader.line_number());
            if (!line.empty() && line[0] == ';') continue;
            ConfigLine kv = split_config_line(line);
            if (kv.key.empty()) continue;
            note_setting(check, kv, apply_shared_setting(ConfigFile::Module, kv.key, kv.value));
        }
        check.finish(reader);
        std::fclose(file);
        check.report("their settings keep their defaults");
    }

    config_loaded = 1;
    preset_selection_texts();
    detect_host_simulator();
    write_flight_log(kFlightLogStart);
    display_refresh_counter = 999;
}
