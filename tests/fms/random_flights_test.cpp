// Random flights to their end on LNAV and VNAV (random_flights.h). Fixed
// seeds run in the suite; `make flights` flies FLIGHTS fresh ones through the
// disabled run, and FLIGHTS_SEED replays one seed.
#include "random_flights.h"

#include "sim_state.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <string>

namespace {

int env_int(const char* name, int fallback) {
    const char* text = std::getenv(name);
    return text != nullptr && *text != '\0' ? std::atoi(text) : fallback;
}

double share(int part, int whole) {
    return whole > 0 ? 100.0 * part / whole : 0.0;
}

void expect_clean(const FlightCounts& c) {
    std::printf(
        "%d flights (%d example routes, %d across the antimeridian or near a pole, VNAV engaged "
        "in the air on %d (%d before the first constraint), %d with an arrival and an approach after a gap, "
        "%d doubling back, %d too short for their cruise altitude, %d with the pilot's hold to the first "
        "fix, %d without a "
        "destination, %d typed anew in the air, %d with a GNS direct-to a fix ahead in cruise (%d past "
        "the TO), holds %d in the climb, %d in cruise, %d in the descent and %d at a typed altitude, %d "
        "sharp turns before the arrival; constraints %d typed and %d of an approach): %d arrivals checked; "
        "%d constraints flown, %d judged (%d of them at their altitude), %d never passed, %d passed before "
        "VNAV flew (%d of them judged by the pilot's MCP altitude); %.1f %% judged by their reading, "
        "%.1f %% in all; T/C within %.1f NM and T/D within %.1f NM of the pages', %zu faults\n",
        c.flights, c.example_routes, c.test_routes, c.vnav_in_air, c.vnav_before_constraint,
        c.arrivals_with_gap, c.doubling_back, c.too_short, c.pilot_hold, c.no_destination, c.retyped_in_air,
        c.gns_direct_ahead, c.gns_direct_past_to, c.holds[0], c.holds[1], c.holds[2], c.holds[3],
        c.sharp_turns, c.typed, c.procedure, c.arrivals_checked, c.constraints_flown, c.constraints_checked,
        c.constraints_met_checked, c.not_passed, c.before_vnav, c.judged_by_mcp,
        share(c.constraints_checked, c.constraints_flown),
        share(c.constraints_checked + c.judged_by_mcp, c.constraints_flown), c.toc_off_nm, c.tod_off_nm,
        c.faults.size());
    std::printf(
        "%d hairpins and %d reversals onto an approach (%d drawn but not turned there): autopilot "
        "%d vertical speeds, %d altitudes, %d level-offs (%d in the descent); along the flown path "
        "%d descents begun within %.1f NM of the T/D, %d \"at\" altitudes crossed within %.0f ft, the "
        "aircraft %.1f NM off it at most\n",
        c.hairpins, c.reversals, c.onto_lost, c.onto_vs, c.onto_altitudes, c.onto_level_offs,
        c.onto_descent_level_offs, c.tods_judged, c.tod_path_nm, c.at_judged, c.at_miss_ft, c.path_off_nm);
    std::printf("%d keys at the gate moved an arrival\n", c.procedure_choices);
    const char* const moments[] = {"before take-off", "in the climb", "in cruise", "in the descent",
                                   "with the TO inside the STAR"};
    for (int m = 0; m < 5; ++m)
        std::printf("procedures chosen again %s: %d rounds of keys, %d keys moved a part\n", moments[m],
                    c.choice_rounds[m], c.choices_moved[m]);
    for (const std::string& f : c.faults)
        ADD_FAILURE() << f;
}

} // namespace

// Seeds that once failed, each with the case it holds; the first row flies
// every kind of flight the random ones draw.
struct FixedSeed {
    unsigned first;
    int count;
    const char* holds;
    // Judged along the flown path as well (the judgments added last).
    bool new_kinds = false;
};
const FixedSeed kFixedSeeds[] = {
    {1, 120, "the first seeds: every kind of flight"},
    {2607, 1, "a climb constraint 9 NM before a higher one"},
    {5624, 1, "a T/D for a constraint after a sharp turn near a pole"},
    {142, 1, "a climb in the descent to an approach's constraint after a gap"},
    {230, 1, "a climb in the descent to an approach's constraint after a gap, again"},
    {91365, 1, "a descent constraint past the T/C in the first third of a route that doubles back"},
    {600237, 1, "the descent for the field begun 21 NM before a constraint held in the climb"},
    {937033397, 1, "a short climb after the pilot's hold toward a T/D behind the last TO"},
    {241915607, 1, "a climb held at a plain altitude below an at-or-above one before it"},
    {55000359, 1, "a plain and an at-or-above altitude above a low cruise altitude, held level to them"},
    {66000499, 1, "a constraint overflown at cruise, read at its own altitude, not the level's"},
    {3000001547, 1, "a plain altitude climbed past, taken for an end of descent once level above it"},
    {3000002286, 1, "an at-or-above passed over in a reversal, sequenced early"},
    {4000004047, 1, "a plain altitude below one just passed"},
    {4000001404, 1, "the pilot's hold past a first fix passed in the take-off"},
    {2500000931, 1, "a constraint VNAV engaged in the air could not get down to"},
    {500001074, 1, "the pilot's hold above a low cruise altitude"},
    {600002084, 1, "the descent begun 21 NM off the legs in a sharp turn at FL377"},
    {951016716, 1, "the descent begun at a 9100A above a 4000 ft cruise, sequenced early"},
    {52605148, 1, "a GNS direct-to past the TO near the T/D at FL400"},
    {900001610, 1, "a climb held at a plain altitude 5 NM before a lower one"},
    {778273, 1, "a field above the cruise altitude, given a T/D off the route"},
    {20335, 1, "a hairpin at a pole onto a 5.6 NM last leg, flown far shorter than its legs"},
    {834018055, 1, "VNAV engaged in the air 20 NM of legs from the field, down at its greatest rate"},
    {769084206, 1, "VNAV engaged at FL186 just after the pilot's climb sequenced a 4300 ft constraint"},
    {31337231, 1, "a T/D 0.5 NM beside a leg 0.4 degrees off south, after a reversal"},
    {901229, 1, "an approach's fix flown over on the way out to a hairpin, sequenced from the far side"},
    {2600026, 1, "the pilot's hold kept below an end of descent, then under the next end"},
    {5201164, 1, "the pilot's hold kept below an end of descent, then under the next end, again"},
    {900357, 1, "a T/D just before a course reversal, the path measured across the turn's chord"},
    {900993, 1, "a T/D just before a course reversal, the path measured across the turn's chord, again"},
    {52002164, 1, "an approach's altitude just short of where the climb VNAV can hold reaches the level"},
    {7100137, 1, "a hold at an approach's fix in the descent, where the descent to the next one began"},
    {9000504, 1, "a hold at a climb cap, after which the climb stayed at the cap's altitude"},
    {9000506, 1, "a hold at a pole in the climb to FL350, its pattern flown in the fix's directions: no lap"},
    {7100000, 1, "a step down of 500 ft shorter than the switching distance before its fix"},
    {7100188, 1, "a vertical speed sent at once at a sequencing, then the one before it again"},
    {8200061, 1,
     "a constraint passed in the pilot's climb to 3000 ft above the field: now engaged before it"},
    {44300110, 1, "two caps sequenced under the pilot's climb to FL232, judged by the MCP altitude"},
    {45001033, 1, "a descent levelled above an end met 1.3 NM after a fix, where LNAV sequenced it"},
    {46000340, 1, "an end at 9000 ft near a pole, the field out of reach after it, passed on the way down"},
    {9700206, 1, "a hold in the climb whose pattern moved the level the route affords a step"},
    {20000535, 1, "a cap sequenced 2.9 NM early, climbed past at VNAV's greatest rate"},
    {8800536, 1, "a waypoint typed on the GNS flight plan page after an arrival chosen there"},
    {8800391, 1, "an approach chosen at the gate whose last fix lies too close below the one before it"},
    {141, 1, "a SID chosen at the gate while rolling, where the departure counts as flown"},
    {1169, 1, "a departure executed again unchanged in the climb: its targets sent for the EXEC"},
    {1264, 1, "a STAR chosen after an approach took the TO's entry out in one change: the gap left there"},
    {1273, 1, "an arrival executed again unchanged with the TO inside the STAR"},
    {46000932, 1, "a choice in the descent whose EXECs each sent their own rate, back to the first"},
    {46100990, 1, "a choice in the descent whose EXECs each sent their own rate, again"},
    {2229, 1, "a new STAR in cruise whose T/D lies behind, on a leg flown before a reversal"},
    {3000323, 1, "a round of keys in cruise whose shorter arrival began the descent, then a longer one"},
    {3000535, 1, "a round of keys in the descent executing arrival after arrival, each with its rate"},
    {3100288, 1, "a climb's level moved after a departure chosen again: the new value sent once"},
    {3200073, 1, "a speed sent twice in one pass for two events after a new arrival in the descent"},
    {3200333, 1, "an approach's fix passed while the keys were pressed, at 20 000 ft: never flown to"},
    {50000747, 1, "a hold in the climb joined abeam its fix, within the switching distance first on a lap"},
    {53000104, 1, "a climb levelled in a hold's pattern far out, its T/C round the pattern"},
    {55000211, 1, "a hold near a pole joined against its inbound course 10 NM out, levelled joining it"},
    {20093, 1, "a T/D ahead of an aircraft come back from beyond an overshot hairpin, on its way"},
    {20256, 1,
     "an arrival chosen past a descent's end with altitudes above it: passed under, not climbed to"},
    {1844, 1, "a climb to FL400 in a hold whose pattern grew with the speed: levelled wide of it"},
    {73000283, 1,
     "VNAV engaged at FL270 over a 3500 ft end: the 8500 ft after it out of reach, not to be under"},
    {97000071, 1, "a climb to FL410 levelled 12 NM wide of a leg after a sharp turn, abeam its T/C"},
    {97000450, 1, "a descent from FL360 begun 25 NM wide of a 10 NM leg after a turn, abeam its T/D"},
    {95000073, 1, "an approach chosen in the descent after the origin was loaded: KSEA given CYVR's 14 ft"},
    {95000339, 1, "an approach chosen with the TO inside the STAR after the origin was loaded, again"},
    {98200313, 1, "a climb to FL400 swung 11 NM wide of a 7 NM leg between two sharp turns: T/C on its way"},
    {94000248, 1, "a hold at FL230 left by EXIT HOLD in its first turn, its fix inside the turn back to it"},
    {92001436, 1, "a hairpin before the arrival whose leg out was sequenced in the turn: levelled turning"},
    {92001867, 1, "a hairpin before the arrival whose leg out was sequenced in the turn, after a hold"},
    {91002822, 1,
     "a cap 100 ft below a 4000 ft cruise: levelled at it for the T/C, 67 NM short of the pages'"},
    {92002199, 1, "a hairpin's two fixes sequenced a pass apart in the descent, the rate wavering there"},
    {90201277, 1, "VNAV engaged at 2800 ft 6 NM before an 8900 ft end: out of reach below it, not judged"},
    {92001883, 1,
     "a STAR chosen in the descent: the 3800 ft the aircraft came down to from 12600 stays an end"},
    {84000063, 1, "a level the route affords rising while VNAV held its own lower one: climbed to, one T/D"},
    {92002880, 1,
     "a choice in the descent after the pilot's hold: the 5700 ft ahead stays one to come down to"},
    {112000014, 1, "a route saved with LAVVA2 joining I10R at SAUVI loads with SAUVI still the STAR's"},
    {92002134, 1, "the pilot's 3606 ft over a 2000 ft fix sequenced from the far side of a hairpin"},
    {91002098, 1, "a reversal over a pole at its T/D at 16 000 ft: the turn flown level, no nearer the end"},
    {90401055, 1, "a hairpin at a pole sequenced 3 NM early at its T/D at 8000 ft: swung out level"},
    {90302819, 1, "a route typed anew at FL270 13 NM past a T/D at the pole: down at once, not judged by it"},
    {87001281, 1,
     "a 4300 ft fix after a short leg, sequenced in cruise at 4900 after a hold at a typed altitude"},
    {84000063, 1,
     "swung 24 NM wide of a turn at FL370, abeam inside the next: no descent 5 NM early in a pass"},
    {87000136, 1,
     "a GNS direct-to in cruise whose DIRECT legs lengthened the route: the T/D judged along it"},
    {82001022, 1,
     "a 5300 ft fix sequenced at 18 800 ft coming down: the descent on to 8300 ft is none begun"},
    {115000958, 1, "a route saved with I34R joining the en-route OLM typed WPT loads with OLM still WPT"},
    {121000152, 1,
     "an arrival chosen in a change that put fixes before the flown TO: they are ahead, not flown"},
    {101006, 1, "swung 20 NM wide of a sharp turn at a pole, too far off to intercept: straight to the TO"},
    {2011, 1, "a hairpin onto an approach: the descent begun 17 NM before a T/D across the turn", true},
    {3150, 1, "a T/D 6.8 NM off the path flown round a turn at FL379: the descent begun 10 NM after it",
     true},
    {3034, 1, "a hairpin onto an approach: the descent begun 16.7 NM before a T/D across the turn", true},
    {3320, 1, "a reversal onto an approach: the descent begun 12.6 NM before a T/D 2.4 NM off the path",
     true},
    {3296, 1, "a T/D held back to the fix before a 2000 ft end: the descent begun 1.8 NM before it", true},
    {3435, 1, "a T/D held back to MELLO at 4000 ft, passed there: 1.8 NM before it along the path", true},
    {3239, 1, "a FROM flown at 3950 ft after a hold, sequenced short of its fix: no descent under the path",
     true},
    {3218, 1, "the descent from a FROM held at 8100 ft begun 2.4 NM before the T/D, short of the fix", true},
    {2123, 1, "the descent to a 2000 ft end begun 1.6 NM before a T/D held back to the fix before it", true},
    {128000012, 1, "a reversal at ZOSIM onto a 3.5 NM leg, FOURT sequenced 3 NM aside: T/D laid on the legs",
     true},
    {128000114, 1, "a reversal at ZOSIM onto a 3.5 NM leg: the descent begun 3.3 NM before a T/D on the legs",
     true},
    {128000217, 1, "a reversal at ZOSIM onto a 3.5 NM leg: the join onto FOURT's leg after not measured",
     true},
    {128000272, 1,
     "a reversal entered still turning from the one before: turned the way its heading makes shorter", true},
    {128000079, 1, "a turn past a fix laid at its sequencing: the checker turns it from the heading flown",
     true},
    {128000096, 1,
     "a turn past a fix laid at its sequencing, onto an approach: turned from the heading flown", true},
    {128000151, 1, "a turn past a fix laid at its sequencing, onto an approach: the descent within 1.5 NM",
     true},
    {128000259, 1, "a reversal entered still turning from the one before: the T/D on the side it is turned",
     true},
    {131000151, 1, "a 180 degree reversal in the climb stepped round one side, LNAV turning the other", true},
    {2053, 1, "a reversal onto I34L: KORRY's 2000 ft crossed low, sequenced before the turn", true},
    {132000155, 1, "a hold at a 1700 ft climb fix left there: crossed at the fix, not on a turn back to it",
     true},
    {128000001, 1,
     "a hairpin at ZOSIM, FOURT sequenced 3 NM aside its leg: the path joins the leg after from there", true},
    {128000065, 1, "the same hairpin, FOURT sequenced 3 NM aside, again", true},
    {128000212, 1, "the same hairpin, FOURT sequenced 3 NM aside, again", true},
    {128000239, 1, "the same hairpin, FOURT sequenced 3 NM aside, again", true},
    {131000008, 1, "the same hairpin, FOURT sequenced 3 NM aside, again", true},
    {131000015, 1, "the same hairpin, FOURT sequenced 3 NM aside, again", true},
    {131000124, 1, "the same hairpin, FOURT sequenced 3 NM aside, again", true},
    {131000241, 1, "the same hairpin, FOURT sequenced 3 NM aside, again", true},
    {131000296, 1, "the same hairpin, FOURT sequenced 3 NM aside, again", true},
    {132000039, 1, "the same hairpin, FOURT sequenced 3 NM aside, again", true},
    {132000078, 1, "the same hairpin, FOURT sequenced 3 NM aside, again", true},
    {132000118, 1, "the same hairpin, FOURT sequenced 3 NM aside, again", true},
    {132000167, 1, "the same hairpin, FOURT sequenced 3 NM aside, again", true},
    {132000229, 1, "the same hairpin, FOURT sequenced 3 NM aside, again", true},
    {132000238, 1, "the same hairpin, FOURT sequenced 3 NM aside, again", true},
    {128000258, 1,
     "a hairpin at ZOSIM, FOURT sequenced 1.2 NM short of it and 2.8 NM aside: joined from there", true},
    {128000121, 1,
     "a hairpin flown wider than reckoned, its short leg's end sequenced 2 NM aside: the T/D on the join",
     true},
    {128000236, 1, "a hairpin's join from aside laid after the T/D was placed: the T/D placed again on it",
     true},
    {128000023, 1,
     "a reversal on a route doubling back, the next fix sequenced 1.6 NM aside: the T/D on the join", true},
    {128000050, 1, "a 90 degree turn in the descent at 500 kt flown miles wide: the path's distance stood",
     true},
    {128000153, 1, "the descent joining its leg at an angle 4 NM off it: the path closing slower than flown",
     true},
    {132000293, 1, "a hold in the descent left off the leg: the path closing slower than flown, no level-off",
     true},
    {128000199, 1,
     "a leg joined 4.5 NM off it in the descent, ever slower along it: eased back under the path", true},
    {128000210, 1, "a T/D the checker's path lays a turn 2 NM from, passed on the track flown", true},
    {131000098, 1,
     "a hairpin onto the approach turned at 257.5 kt from the aircraft: the T/D on the turn flown", true},
    {128000244, 1,
     "a hairpin onto the approach turned at 257.5 kt from the aircraft: the T/D on the turn flown", true},
    {131000125, 1,
     "a hairpin onto the approach turned at 257.5 kt from the aircraft: the T/D on the turn flown", true},
    {128000271, 1,
     "a hairpin onto the approach turned at 257.5 kt from the aircraft: the T/D on the turn flown", true},
    {128000062, 1,
     "a turn past a fix swung more than 10 NM off the leg out: turned onto it, not flown to the TO", true},
    {131000288, 1, "a hairpin at cruise speed swung wide of its leg out: back onto it before the T/D", true},
    {128000033, 1, "a reversal at FL400 swung 10 NM off its leg out: back onto it, the T/D on it", true},
    {128000284, 1, "a climb held at 2500 ft sequenced 3 NM short of its fix: held on to the fix", true},
    {128000273, 1, "a climb held at 9200 ft at the second fix, sequenced short of it: held on to the fix",
     true},
    {131000001, 1, "a climb held at 1700 ft before a 117 degree turn: held to the middle of the turn", true},
    {131000135, 1, "a climb held at 4700 ft sequenced 3 NM short of its fix: held on to the fix", true},
    {131000212, 1, "a climb held at 3600 ft sequenced 3 NM short of its fix: held on to the fix", true},
    {131000260, 1, "a climb held at 2300 ft sequenced 3 NM short of its fix: held on to the fix", true},
    {132000036, 1, "a climb held at 4700 ft sequenced 3 NM short of its fix: held on to the fix", true},
    {2163, 1, "a climb held at 8100 ft at NACHS sequenced short of it: held on to the fix", true},
    {128000091, 1, "a climb held at 2800 ft sequenced short of its fix: held on to the fix", true},
    {128000253, 1, "a climb held at 6100 ft sequenced short of its fix: held on to the fix", true},
    {132000017, 1, "a climb held at 3700 ft sequenced short of its fix: held on to the fix", true},
    {132000294, 1, "a climb held at 5600 ft sequenced short of its fix: held on to the fix", true},
    {131000071, 1, "a climb met the descent in a corner cut inside its fix: the T/D on the way round it",
     true},
};

// Every fixed seed flown, in groups that are tests of their own so that a run
// split in shards, or run test by test, spreads them over the cores. The
// seeds of the kinds' test below fly there only.
constexpr int kSeedGroups = 8;
// Among the fixed seeds, a few that between them fly every kind of flight
// and give every rule something to judge.
const unsigned kEveryKind[] = {95u, 141u, 30u, 75u, 1264u, 8u, 35u, 46u, 70u};

class FixedSeedGroup : public ::testing::TestWithParam<int> {};

TEST_P(FixedSeedGroup, FlyEveryRouteDownToItsEnd) {
    FlightCounts counts;
    int flight = 0;
    for (const FixedSeed& row : kFixedSeeds)
        for (int i = 0; i < row.count; ++i) {
            const unsigned seed = row.first + static_cast<unsigned>(i);
            if (std::find(std::begin(kEveryKind), std::end(kEveryKind), seed) != std::end(kEveryKind) ||
                flight++ % kSeedGroups != GetParam())
                continue;
            const std::size_t before = counts.faults.size();
            fly_random_flights(seed, 1, counts, row.new_kinds);
            for (std::size_t f = before; f < counts.faults.size(); ++f)
                counts.faults[f] += std::string(" (") + row.holds + ")";
        }
    EXPECT_GT(counts.flights, 0);
    expect_clean(counts);
}

INSTANTIATE_TEST_SUITE_P(Groups, FixedSeedGroup, ::testing::Range(0, kSeedGroups));

TEST(RandomFlights, FixedSeedsFlyEveryKindOfFlight) {
    FlightCounts counts;
    for (const unsigned seed : kEveryKind)
        fly_random_flights(seed, 1, counts, false);
    expect_clean(counts);
    // The descent begun 8 NM past the T/D abeam, swung 14 NM wide of a sharp
    // turn at FL400 (measured straight to the TO): it begins abeam the T/D.
    FlightCounts wide;
    fly_random_flights(386744488u, 1, wide, false);
    expect_clean(wide);
    EXPECT_LT(wide.tod_off_nm, 3.0);
    // Each kind of flight was flown, and the rules had something to check.
    EXPECT_GT(counts.test_routes, 0);
    EXPECT_GT(counts.vnav_in_air, counts.vnav_before_constraint);
    EXPECT_GT(counts.vnav_before_constraint, 0);
    EXPECT_GT(counts.judged_by_mcp, 0);
    EXPECT_GT(counts.arrivals_with_gap, 0);
    EXPECT_GT(counts.doubling_back, 0);
    EXPECT_GT(counts.too_short, 0);
    EXPECT_GT(counts.arrivals_checked, 0);
    EXPECT_GT(counts.pilot_hold, 0);
    EXPECT_GT(counts.no_destination, 0);
    EXPECT_GT(counts.retyped_in_air, 0);
    EXPECT_GT(counts.gns_direct_past_to, 0);
    EXPECT_GT(counts.gns_direct_ahead, counts.gns_direct_past_to);
    EXPECT_GT(counts.typed, 0);
    EXPECT_GT(counts.procedure, 0);
    EXPECT_GT(counts.sharp_turns, 0);
    for (const int held : counts.holds)
        EXPECT_GT(held, 0);
    // Procedures were chosen again at every moment, and moved the plan.
    for (const int moved : counts.choices_moved)
        EXPECT_GT(moved, 0);
    // Both sides of a reading were judged somewhere.
    EXPECT_GT(counts.constraints_met_checked, 0);
    EXPECT_GT(counts.constraints_checked, counts.constraints_met_checked);
}

// Fixed seeds judged by the kinds drawn last too: the descent after a hold.
TEST(RandomFlights, FixedSeedsOfTheNewKinds) {
    const FixedSeed rows[] = {
        {2140, 1,
         "a hold in the climb at 12 000 ft: the descent begun at the climb's 3200 ft/min, under the path"},
        {2235, 1, "a hold in cruise at FL190: the descent begun at the climb's rate, levelled at 18 456 ft"},
        {2252, 1,
         "a hold in the descent left into a turn back: the path came down in the turn, levelled thrice"},
        {3143, 1, "a hold in the descent left at 5883 ft: levelled at 5813 ft, under the path"},
        {3235, 1, "a hold in the descent left at 6000 ft: levelled at 3888 ft on the way down"},
        {3239, 1, "a hold in the descent, then a 4000 ft end met and flown level to the next T/D"},
        {3386, 1, "a hold in the descent left at 5355 ft: levelled at 5254 ft, 170 ft under the path"},
        {3452, 1, "a hold in the descent left at 19 500 ft: levelled at 14 151 ft on the way down"},
        {128000932, 1,
         "a hold near a pole left onto a long leg: the path stood on to TP2, passed at 19 329 ft for 5600"},
        {130000681, 1, "the pilot's hold at a 4000 ft fix entered at 4840 ft: held there, left at 4689 ft"},
    };
    FlightCounts counts;
    for (const FixedSeed& row : rows) {
        const std::size_t before = counts.faults.size();
        fly_random_flights(row.first, row.count, counts, true);
        for (std::size_t f = before; f < counts.faults.size(); ++f)
            counts.faults[f] += std::string(" (") + row.holds + ")";
    }
    EXPECT_EQ(counts.holds[0] + counts.holds[1] + counts.holds[2] + counts.holds[3], 10);
    expect_clean(counts);
}

// Flights flown one after another in a process, as a simulator session
// flies them: each sends the autopilot what it sends flown first. Each row
// flies its seed, the seeds before it, and its seed again.
TEST(RandomFlights, AFlightAfterOthersSendsWhatItSendsFlownFirst) {
    struct Row {
        unsigned seed;
        int before;
    };
    const Row rows[] = {{48000254u, 4}, {48000462u, 4}, {48000519u, 4}};
    for (const Row& row : rows) {
        FlightCounts counts;
        fly_random_flights(row.seed, 1, counts, false);
        const std::vector<host::KeyEvent> first = host::sim_state().key_events;
        fly_random_flights(row.seed - static_cast<unsigned>(row.before), row.before, counts, false);
        fly_random_flights(row.seed, 1, counts, false);
        const std::vector<host::KeyEvent>& again = host::sim_state().key_events;
        std::size_t same = 0;
        while (same < first.size() && same < again.size() && first[same].id == again[same].id &&
               first[same].parameter == again[same].parameter)
            ++same;
        EXPECT_TRUE(same == first.size() && same == again.size())
            << "seed " << row.seed << ": event " << same << " of " << first.size() << " flown first, "
            << again.size() << " after the seeds before it";
        EXPECT_TRUE(counts.faults.empty()) << counts.faults.front();
        EXPECT_GT(first.size(), 0u);
    }
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

// Flights whose judgments along the flown path the module does not meet yet,
// each with what it did: fixed here until it does, then moved to kFixedSeeds.
TEST(RandomFlights, DISABLED_OpenPathSeeds) {
    const FixedSeed open[] = {
        {84000063, 1, "swung 24 NM wide of a turn, LNAV straight to the TO: the descent begun 2 NM early"},
        {3516, 1, "the descent to a 3200 ft fix begun 2.4 NM before a T/D 0.5 NM off the path"},
        {134000160, 1,
         "the descent begun 1.6 NM before a T/D on the path at FL218, the climb held to its fix"},
        {116001409, 1, "a descent's 2400 ft at NEWBE passed at 8412 ft, 1.3 NM past its sequencing"},
    };
    FlightCounts counts;
    for (const FixedSeed& row : open) {
        const std::size_t before = counts.faults.size();
        fly_random_flights(row.first, row.count, counts, true);
        for (std::size_t f = before; f < counts.faults.size(); ++f)
            counts.faults[f] += std::string(" (") + row.holds + ")";
    }
    EXPECT_GT(counts.hairpins, 0);
    EXPECT_GT(counts.reversals, 0);
    expect_clean(counts);
}

// One seed again, as a failing run named it.
TEST(RandomFlights, DISABLED_ReplaySeed) {
    FlightCounts counts;
    fly_random_flights(static_cast<unsigned>(env_int("FLIGHTS_SEED", 1)), 1, counts,
                       env_int("FLIGHTS_NEW_KINDS", 1) != 0);
    expect_clean(counts);
}
