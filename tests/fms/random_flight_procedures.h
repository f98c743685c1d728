// The procedures of a random flight chosen again by keys: the arrival (STAR,
// its transition, the approach and its transition) or the departure (runway,
// SID and its transition), picked in any order on the SMITHS DEPARTURES or
// ARRIVALS page (then EXEC or ERASE) and on the GNS's DEPARTURE, ARRIVAL and
// APCH pages, which change the flown plan at once; at the gate or in the air.
// After each key, a plan whose choices or procedure legs moved holds the
// legs those choices fly, by the rule of shared/procedure_parts_rule.h, and
// in the air the legs flown before the TO stay; the flight then flies what
// was chosen. The MCU chooses no procedure: it has no page for them.
#pragma once

#include "fms/perf/vnav_phase.h"

#include <cstddef>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

// The autopilot's altitude and speed targets against the events that call
// for them: the flown route changed, a VNAV phase or a TO that changes,
// 10 000 ft crossed, a mode engaged or a hold's pattern entered or left; a
// new value (the climb's level moved) is its own reason. A target sent again
// with the value it had answers one event: with none left, it is sent twice
// for one event.
struct AutopilotSends {
    int events = 0, altitudes = 0, speeds = 0, again = 0;
    std::size_t seen = 0;
    VnavPhase phase = VnavPhase::Climb;
    int to = 0, lnav = 0, vnav = 0;
    bool high = false, pattern = false;
    struct Last {
        uint32_t key = 0, value = 0;
        int answered = 0; // events answered by this target
    };
    Last last[3]; // altitude, airspeed, Mach

    void start(); // counts from now
    void frame(bool route_changed);
    // "" while each target went out at most once per event.
    std::string fault() const;
};

// The keys after which a plan's procedure part moved and was judged; faults
// are added. `moving`: the aircraft flies, its TO in the plan.
int choose_by_keys(std::mt19937& rng, bool departure, bool moving, AutopilotSends* sends,
                   std::vector<std::string>& faults);

// At the gate: the arrival.
int choose_arrival_by_keys(std::mt19937& rng, std::vector<std::string>& faults);
