// Random flights to their end on LNAV and VNAV (random_flights.h). Fixed
// seeds run in the suite; `make flights` flies FLIGHTS fresh ones through the
// disabled run, and FLIGHTS_SEED replays one seed.
#include "random_flights.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {

int env_int(const char* name, int fallback) {
    const char* text = std::getenv(name);
    return text != nullptr && *text != '\0' ? std::atoi(text) : fallback;
}

void expect_clean(const FlightCounts& c) {
    std::printf(
        "%d flights (%d example routes, %d across the antimeridian or near a pole, VNAV engaged "
        "in the air on %d, %d with an arrival and an approach after a gap, %d doubling back, %d too "
        "short for their cruise altitude, %d with the pilot's hold to the first fix, %d without a "
        "destination, %d typed anew in the air, %d with a GNS direct-to a fix ahead in cruise (%d past "
        "the TO); constraints %d typed and %d of an approach): %d arrivals and %d constraints checked, T/C "
        "within %.1f NM and T/D within %.1f NM of the pages', %zu faults\n",
        c.flights, c.example_routes, c.test_routes, c.vnav_in_air, c.arrivals_with_gap, c.doubling_back,
        c.too_short, c.pilot_hold, c.no_destination, c.retyped_in_air, c.gns_direct_ahead,
        c.gns_direct_past_to, c.typed, c.procedure, c.arrivals_checked, c.constraints_checked, c.toc_off_nm,
        c.tod_off_nm, c.faults.size());
    std::printf("%d keys at the gate moved an arrival\n", c.procedure_choices);
    for (const std::string& f : c.faults)
        ADD_FAILURE() << f;
}

} // namespace

TEST(RandomFlights, FixedSeedsFlyEveryRouteDownToItsEnd) {
    FlightCounts counts;
    fly_random_flights(1, 120, counts);
    // Seeds that once failed: a climb constraint 9 NM before a higher one;
    // a TOD for a constraint after a sharp turn near a pole; a climb in the
    // descent to an approach's constraint after a gap (two); a descent
    // constraint past the TOC in the first third of a route that doubles back;
    // the descent for the field begun 21 NM before a constraint held in the
    // climb, which it then passed below; a short climb after the pilot's hold
    // toward a T/D the pages put behind the last TO waypoint, still ahead of
    // the aircraft; a climb held at a plain altitude below an at-or-above one
    // before it, which it then passed below; a plain and an at-or-above
    // altitude above a low cruise altitude, held level to them; a plain
    // altitude climbed past, taken for an end of descent once level above
    // it; an at-or-above passed over in a reversal, sequenced early; a plain
    // altitude below one just passed; the pilot's hold past a first fix
    // passed in the take-off; a constraint VNAV engaged in the air could not
    // get down to; the pilot's hold above a low cruise altitude; the descent
    // begun 21 NM off the legs in a sharp turn at FL377; the descent begun
    // at a 9100A above a 4000 ft cruise, sequenced early; a GNS direct-to
    // past the TO near the T/D at FL400 (measured against the T/D shown before
    // it moved); a climb held at a plain altitude 5 NM before a lower one; a
    // field above the cruise altitude, given a T/D off the route; a hairpin
    // at a pole onto a 5.6 NM last leg, flown far shorter than its legs; VNAV
    // engaged in the air 20 NM of legs from the field, flown in 16 NM at its
    // greatest descent rate; VNAV engaged at FL186 just after the pilot's
    // climb sequenced a 4300 ft constraint, which became the new level; a
    // T/D put due north of a leg's end on a leg 0.4 degrees off south, 0.5 NM
    // beside it, so the descent after a reversal was measured 12 NM straight;
    // an approach's fix flown over on the way out to a hairpin, sequenced from
    // the far side of the turn with its descent still ahead on the legs; the
    // pilot's hold kept below an end of descent, then VNAV holding the
    // altitude flown past it, under the next end (two); a T/D just before a
    // course reversal, where a path measured across the turn's chord held
    // VNAV level past it (two); an approach's altitude just short of where
    // the climb, at the rate VNAV can hold up high, reaches the cruise level.
    for (const unsigned seed :
         {2607u,       5624u,      142u,       230u,        91365u,      600237u,     937033397u,
          241915607u,  55000359u,  66000499u,  3000001547u, 3000002286u, 4000004047u, 4000001404u,
          2500000931u, 500001074u, 600002084u, 951016716u,  52605148u,   900001610u,  778273u,
          20335u,      834018055u, 769084206u, 31337231u,   901229u,     2600026u,    5201164u,
          900357u,     900993u,    52002164u})
        fly_random_flights(seed, 1, counts);
    expect_clean(counts);
    // The descent begun 8 NM past the T/D abeam, swung 14 NM wide of a sharp
    // turn at FL400 (measured straight to the TO): it begins abeam the T/D.
    FlightCounts wide;
    fly_random_flights(386744488u, 1, wide);
    expect_clean(wide);
    EXPECT_LT(wide.tod_off_nm, 3.0);
    // Each kind of flight was flown, and the rules had something to check.
    EXPECT_GT(counts.test_routes, 0);
    EXPECT_GT(counts.vnav_in_air, 0);
    EXPECT_GT(counts.arrivals_with_gap, 0);
    EXPECT_GT(counts.doubling_back, 0);
    EXPECT_GT(counts.too_short, 0);
    EXPECT_GT(counts.arrivals_checked, 0);
    EXPECT_GT(counts.constraints_checked, 0);
    EXPECT_GT(counts.pilot_hold, 0);
    EXPECT_GT(counts.no_destination, 0);
    EXPECT_GT(counts.retyped_in_air, 0);
    EXPECT_GT(counts.gns_direct_past_to, 0);
    EXPECT_GT(counts.gns_direct_ahead, counts.gns_direct_past_to);
    EXPECT_GT(counts.typed, 0);
    EXPECT_GT(counts.procedure, 0);
}

// FLIGHTS flights from FLIGHTS_FIRST (a seed from the clock when not given).
TEST(RandomFlights, DISABLED_Run) {
    const unsigned first = static_cast<unsigned>(
        env_int("FLIGHTS_FIRST",
                static_cast<int>(std::chrono::system_clock::now().time_since_epoch().count() % 1000000007)));
    std::printf("first seed %u\n", first);
    FlightCounts counts;
    fly_random_flights(first, env_int("FLIGHTS", 1000), counts);
    expect_clean(counts);
}

// One seed again, as a failing run named it.
TEST(RandomFlights, DISABLED_ReplaySeed) {
    FlightCounts counts;
    fly_random_flights(static_cast<unsigned>(env_int("FLIGHTS_SEED", 1)), 1, counts);
    expect_clean(counts);
}
