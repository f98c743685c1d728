// A GNSXLS placed in the stand-in on the ground at KSEA: tests press keys by
// name and read back what the last frame drew on the 495 x 400 canvas (the
// screen is drawn at that size).
#pragma once

#include "fms/units/gns_unit_state.h"
#include "gns_keys.h"
#include "shared/stand_in.h"

class GnsStandIn : public StandIn {
  protected:
    std::string panel_text() const override {
        return "[Window00]\n"
               "gauge00=orvex1!GNSXLS, 0, 0, 540, 430, B738\n"
               "gauge01=orvex1!SERVER, 0, 0, 10, 10\n";
    }
    void after_start() override { start_on_the_ground_at_ksea(); }

    host::PlacedGauge& gns() { return gauge(); }

    // Presses the keys of a `gns` script command ("L2 \"PAE\" ENT").
    void press(const std::string& items) {
        press_keys<GnsKey>(items, host::gns_key_sequence, host::press_gns_key,
                           [](GnsKey key) { return gns_key_boxes[int(key)].name; });
    }
    // One key, no frame after it.
    void press_only(GnsKey key) { ASSERT_TRUE(host::press_gns_key(gns(), key).hit); }
};

// West of the example route, so that no waypoint is sequenced while the keys
// work.
class GnsRouteStandIn : public GnsStandIn {
  protected:
    void SetUp() override {
        GnsStandIn::SetUp();
        host::aircraft().lat_deg = 47.45;
        host::aircraft().lon_deg = -123.6;
        frames(1);
    }
    // Opens the second stored route (KSEA-KPDX).
    void open_example_route() {
        press("R2 R2 ENT");
        frames(1);
        ASSERT_EQ(gns_plan_open, 1);
    }
    // Makes the opened route the active plan.
    void activate_opened_route() {
        press("R5 ENT");
        frames(1);
    }
};
