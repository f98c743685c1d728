// A SMITHS_FMS placed in the stand-in: tests press keys by name, one frame
// after each, and read back what the last frame drew on the 282 x 245 canvas.
#pragma once

#include "cdu_keys.h"
#include "shared/stand_in.h"

class CduStandIn : public StandIn {
  protected:
    std::string panel_text() const override {
        return "[Window00]\n"
               "gauge00=orvex1!SMITHS_FMS, 0, 0, 415, 640, B738\n"
               "gauge01=orvex1!SERVER, 0, 0, 10, 10\n";
    }

    host::PlacedGauge& cdu() { return gauge(); }

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
