// The stand-in SMITHS_FMS over example data with repeated identifiers: seven
// fixes named DUPLI, 0.1 degree apart north of Seattle (candidate k lies at
// 47.449 + 0.1 k, so nearest first is k = 1..7), and a fix named like the
// airport KBFI.
#pragma once

#include "aircraft_store.h"
#include "cdu_stand_in.h"
#include "fms/units/cdu_text.h"

#include <fstream>

class NavPagesStandIn : public CduStandIn {
  protected:
    // The aircraft stands at Seattle, so that several matches come nearest
    // first from there.
    void SetUp() override {
        CduStandIn::SetUp();
        host::AircraftModel& m = host::aircraft();
        m.lat_deg = 47.449;
        m.lon_deg = -122.3093;
        host::start_aircraft();
        frames(18);
    }
    void prepare_sim_folder(const std::string& root) override {
        std::ofstream out(root + "/orvex/navdata/ints_user.txt");
        for (int k = 1; k <= 7; ++k)
            out << "DUPLI DUPLI " << duplicate_latitude(k) << " -122.309300\n";
        out << "KBFI KBFI 47.600000 -122.400000\n";
    }
    static double duplicate_latitude(int k) { return 47.449 + 0.1 * k; }

    // The example route (KSEA, SEA, KPDX) entered and executed.
    void execute_short_route() { press("RTE \"KSEA\" L1 \"KPDX\" R1 NEXT \"SEA\" R1 R6 EXEC"); }
    void clear_scratchpad() {
        while (!smiths_scratchpad.empty() || !smiths_scratchpad_message.empty())
            press("CLR");
    }

    // Frames with the stand-in aircraft paused, its clock stopped, while the
    // simulator time still moves, so that the module works every frame on
    // values that hold still.
    void still_frames(int n) {
        host::AircraftModel& m = host::aircraft();
        for (int i = 0; i < n; ++i) {
            m.sim_time_s += 1.0 / host::FRAMES_PER_SECOND;
            frames(1);
        }
    }
    host::AircraftModel& hold_aircraft_at(double lat, double lon) {
        host::AircraftModel& m = host::aircraft();
        m.lat_deg = lat;
        m.lon_deg = lon;
        host::start_aircraft();
        m.paused = true;
        return m;
    }
};
