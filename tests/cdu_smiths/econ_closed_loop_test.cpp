// The ECON pages over a flight of the example route in the stand-in: the
// climb page turns into the cruise page at the top of climb and into the
// descent page at the top of descent, and the distances to the T/C, T/D and
// E/D count down on the way. On the approach a constraint sequenced in the
// descent sets a new level: the descent page shows that level's T/D, then
// the next E/D.
#include "cdu_smiths/smiths_pages.h"
#include "cdu_stand_in.h"
#include "flight_demo.h"
#include "fms/plan/route_plan.h"
#include "fms/units/cdu_text.h"
#include "gauges/stand_in_hooks.h"
#include "script.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>

namespace {

class EconClosedLoop : public CduStandIn {
  protected:
    // The number after the prediction row's "/" (" / 12.3" or "/12 NM") in
    // the right half of line y; -1 when the row is not drawn.
    double row_distance(float y) {
        for (const std::string& t : texts_at_y(y)) {
            const std::size_t slash = t.find('/');
            if (t.find('Z') != std::string::npos && slash != std::string::npos)
                return std::strtod(t.c_str() + slash + 1 + (t[slash + 1] == ' ' ? 1 : 0), nullptr);
        }
        return -1.0;
    }
    std::vector<std::string> texts_at_y(float y) {
        std::vector<std::string> out;
        for (const gfx::RecordedOp& op : last_frame())
            if (op.kind == gfx::OpKind::String && op.world_rect.y == y && op.world_rect.x > 100)
                out.push_back(op.text);
        return out;
    }
};

} // namespace

TEST_F(EconClosedLoop, climbCruiseAndDescentPagesFollowTheFlight) {
    sim_.module.flight.load_route = &orvex_standin_load_route;
    sim_.module.flight.route_status = &orvex_standin_route_status;
    // The demo flight's script up to its first picture: take-off, LNAV and
    // VNAV, the CDU on ECON CLB.
    std::ifstream file(std::string(ORVEX_SOURCE_DIR) + "/examples/sim/cdu_vnav.script");
    std::string prologue;
    for (std::string line; std::getline(file, line) && line.rfind("snapshot", 0) != 0;)
        prologue += line + "\n";
    run(prologue);
    ASSERT_EQ(smiths_cdu_page, kPageEconClb);
    // The row is known by its label: "T O   T / C", "T O   T / D", or the
    // E/D's "T O  KPDX" (the CRZ and DES pages draw the labels at y 55).
    struct Sample {
        int page, to;
        std::string row;
        double distance;
    };
    std::vector<Sample> samples;
    for (int i = 0; i < 200 && !host::flight_tracker().route_flown; ++i) {
        run("fly 150\n");
        if (host::flight_tracker().route_flown) break; // the route's distances end with it
        const int page = smiths_cdu_page;
        std::string row;
        for (const std::string& t : texts_at_y(55))
            if (t.rfind("T O ", 0) == 0) row = t;
        samples.push_back({page, to_waypoint_index, row, row_distance(page == kPageEconCrz ? 33 : 66)});
    }
    // Climb, cruise and descent in turn, each page with its prediction row.
    std::vector<int> order;
    for (const Sample& s : samples) {
        EXPECT_GE(s.distance, 0.0) << "page " << s.page << " to " << s.to;
        if (order.empty() || order.back() != s.page) order.push_back(s.page);
    }
    EXPECT_EQ(order, (std::vector<int>{kPageEconClb, kPageEconCrz, kPageEconPathDes}));
    // Between two sequencings (which may move the predicted point) a row
    // counts down; on the climb page only until the aircraft reaches the
    // predicted T/C, which it may pass before it levels off. A new level
    // puts a T/D row where the E/D row was, and past it the next E/D's.
    int downs = 0;
    bool toc_reached = false;
    std::size_t last_climb = 0;
    double step = 0.0; // the most a row came down between two samples
    for (std::size_t i = 1; i < samples.size(); ++i) {
        const Sample& a = samples[i - 1];
        const Sample& b = samples[i];
        if (b.page == kPageEconClb) last_climb = i;
        toc_reached = toc_reached || (b.page == kPageEconClb && b.distance < 2.0);
        if (a.page != b.page || a.to != b.to || a.row != b.row || (b.page == kPageEconClb && toc_reached))
            continue;
        EXPECT_LT(b.distance, a.distance) << "page " << b.page << " sample " << i << " " << b.row;
        step = std::max(step, a.distance - b.distance);
        ++downs;
    }
    // The climb page turns at the T/C: its last sample lies within about one
    // sample's flight (the step between its last two samples) of it.
    ASSERT_GE(last_climb, 1u);
    const double climb_step = samples[last_climb - 1].distance - samples[last_climb].distance;
    EXPECT_LE(samples[last_climb].distance, 1.5 * climb_step);
    // A T/D row gives way where VNAV passes the T/D (within 1.5 NM of it):
    // its last sample within one sample's flight of that.
    int tods = 0;
    for (std::size_t i = 1; i < samples.size(); ++i)
        if (samples[i - 1].row == "T O   T / D" && samples[i].row != "T O   T / D") {
            EXPECT_LE(samples[i - 1].distance, 1.5 + step) << "sample " << i - 1;
            ++tods;
        }
    EXPECT_GE(tods, 1);
    EXPECT_GT(downs, 20);
}
