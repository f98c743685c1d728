// A GNSXLS placed in the stand-in on the ground at KSEA: tests press keys by
// name and read back what the last frame drew on the 495 x 400 canvas (the
// screen is drawn at that size).
#pragma once

#include "fms/units/gns_unit_state.h"
#include "gns_keys.h"
#include "shared/stand_in.h"

#include <fstream>
#include <string>

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

    // What the pilot sees of the unit's message on the last frame: a text of
    // the page drawn before it whose glyphs meet the message's, not wholly
    // covered by a filled box drawn after that text, shows through ("" when
    // none does; "(none)" when the message is not there). A text's glyphs
    // stand within its layout box less a sixth of an em at each side.
    std::string text_under(const std::string& message) {
        const std::vector<gfx::RecordedOp> frame = last_frame();
        std::size_t m = frame.size();
        for (std::size_t i = 0; i < frame.size(); ++i)
            if (frame[i].kind == gfx::OpKind::String && frame[i].text == message) m = i;
        if (m == frame.size()) return "(none)";
        auto overlap = [](const gfx::RectF& a, const gfx::RectF& b) {
            return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height;
        };
        auto glyphs = [](const gfx::RecordedOp& op) {
            const float pad = op.font_size / 6.0f * op.transform.m11;
            return gfx::RectF{op.text_box.x + pad, op.text_box.y, op.text_box.width - 2.0f * pad,
                              op.text_box.height};
        };
        auto inside = [](const gfx::RectF& a, const gfx::RectF& b) {
            return a.x >= b.x && a.y >= b.y && a.x + a.width <= b.x + b.width &&
                   a.y + a.height <= b.y + b.height;
        };
        for (std::size_t i = 0; i < m; ++i) {
            const gfx::RecordedOp& label = frame[i];
            if (label.kind != gfx::OpKind::String || !overlap(glyphs(label), glyphs(frame[m]))) continue;
            bool covered = false;
            for (std::size_t j = i + 1; j < m && !covered; ++j)
                covered = frame[j].kind == gfx::OpKind::Rectangle && frame[j].fill &&
                          inside(label.text_box, frame[j].bounds);
            if (!covered) return label.text;
        }
        return "";
    }
};

// West of the example route, so that no waypoint is sequenced while the keys
// work.
class GnsRouteStandIn : public GnsStandIn {
  protected:
    // The stored route without its approach: these keys work on the list's
    // rows and the route's own fixes (the approach a stored plan brings is
    // checked with the route loads).
    void prepare_sim_folder(const std::string& root) override {
        const std::string path = root + "/orvex/flightplans/KSEAKPDX.RTE";
        std::string kept;
        std::ifstream in(path);
        for (std::string line; std::getline(in, line);)
            if (line.rfind("ApproachInfo", 0) != 0) kept += line + "\n";
        in.close();
        std::ofstream(path) << kept;
    }
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
