// A SMITHS_FMS placed in the stand-in: tests press keys by name, one frame
// after each, and read back what the last frame drew on the 282 x 245 canvas.
#pragma once

#include "cdu_keys.h"
#include "flight_demo.h"
#include "gauges/stand_in_hooks.h"
#include "script.h"
#include "shared/stand_in.h"

#include <fstream>
#include <string>

class CduStandIn : public StandIn {
  protected:
    std::string panel_text() const override {
        return "[Window00]\n"
               "gauge00=orvex1!SMITHS_FMS, 0, 0, 415, 640, B738\n"
               "gauge01=orvex1!SERVER, 0, 0, 10, 10\n";
    }

    host::PlacedGauge& cdu() { return gauge(); }

    // Runs script lines as orvex-sim does, with no flight of an earlier test
    // still tracked.
    void run(const std::string& text) {
        host::reset_flight_tracker();
        sim_.module.flight.route_status = &orvex_standin_route_status;
        host::Script script;
        std::string error;
        ASSERT_TRUE(host::parse_script_text("test.script", text, sim_, script, error)) << error;
        host::run_script(sim_, script, nullptr, nullptr);
    }
    // The example route without its approach line, as NOAPP.RTE.
    static void write_route_without_approach(const std::string& root) {
        const std::string folder = root + "/orvex/flightplans/";
        std::ifstream in(folder + "KSEAKPDX.RTE");
        std::ofstream out(folder + "NOAPP.RTE");
        for (std::string line; std::getline(in, line);)
            if (line.rfind("ApproachInfo", 0) != 0) out << line << "\n";
    }

    // Presses the keys of a `cdu` script command ("RTE \"KSEA\" L1").
    void press(const std::string& items) {
        press_keys<SmithsKey>(items, host::cdu_key_sequence, host::press_cdu_key,
                              [](SmithsKey key) { return smiths_key_boxes.box[int(key)].name; });
    }
    bool lamp_lit(int element) {
        ElementHeader* e = host::first_element(cdu());
        for (int i = 0; i < element && e != nullptr; ++i)
            e = e->next_element != nullptr ? e->next_element[0] : nullptr;
        return e != nullptr && (e->image_flags & IMAGE_HIDDEN) == 0;
    }
};
