// The three control units placed together in the stand-in over the example
// data (a SMITHS_FMS, a GNSXLS and an MCU sharing one core), driven by random
// steps: keys of each unit, typed identifiers and junk, EXEC and ERASE, route
// loads and frames flown between keys near the route so that sequencing runs.
// After every step the plan-state rules are checked; a step is one line of an
// orvex-sim script, so a failing run prints a script that replays it.
#pragma once

#include "fms/plan/route_plan.h"
#include "passing_check.h"
#include "procedure_choice_check.h"
#include "shared/stand_in.h"
#include "to_rule_check.h"
#include "unit_input_check.h"

#include <array>
#include <random>
#include <string>
#include <vector>

class PlanKeys : public StandIn {
  public:
    // The panel a printed script runs on.
    static const char* panel();

  protected:
    std::string panel_text() const override { return panel(); }
    void attach() override;
    void after_start() override;

    // One random step as a script line.
    std::string random_step(std::mt19937& random);
    // Runs one script line; false with a message when the line is not one
    // the driver writes.
    bool run_step(const std::string& line, std::string& error);
    // The faults the step left; empty when the rules hold.
    std::vector<std::string> step_faults(const std::string& line);

    // Runs `steps` random steps of a seed; the first fault ends the run and
    // is reported with the script that got there.
    void run_seed(unsigned seed, int steps);
    // The script lines of a seed up to its first fault, and that fault;
    // empty when none.
    std::string seed_script(unsigned seed, int steps, std::vector<std::string>& script);
    // The first fault of a script; empty when none.
    std::string script_fault(const std::vector<std::string>& script);

    // How often the rules met what they check, over the runs so far.
    std::string reached() const;

  private:
    struct Reached {
        int with_holds = 0, with_gaps = 0, execs = 0, direct_tos = 0, legs_walks = 0, approaches = 0;
        int on_ground = 0, engagements = 0;
        int direct_tos_ahead = 0; // GNS direct-tos typed for a fix ahead
    } reached_;
    host::PlacedGauge& unit(int i) { return *sim_.gauges[static_cast<std::size_t>(i)]; }
    // The rules of a step that ends a modification, and of a direct-to.
    void exec_faults(std::vector<std::string>& faults);
    void direct_to_faults(const std::string& line, std::vector<std::string>& faults);
    void typed_direct_faults(const std::string& line, std::vector<std::string>& faults);
    // A step that flies direct to a fix the pilot chose, on any unit.
    bool direct_step(const std::string& line) const;
    bool unit_direct_step(const std::string& line) const;
    void delete_faults(std::vector<std::string>& faults);
    void passing_step_faults(const std::string& line, std::vector<std::string>& faults);
    void cursor_faults(const std::string& line, std::vector<std::string>& faults);
    // What the next step's rules compare with.
    void remember_state();
    // An edit of the flown plan on the GNS or the MCU is in the flown plan
    // after the SMITHS's next EXEC or ERASE, or the SMITHS said it lost its
    // modification to it; a modification ended by another unit's step is
    // said on the SMITHS.
    void unit_edit_faults(const std::string& line, std::vector<std::string>& faults);
    void remember_unit_edits();
    std::vector<std::string> flown_edit_lines_;
    bool gns_plan_open_before_ = false;
    int unit_ends_ = 0; // modifications ended by another unit's step
    // What an edit made while a modification stayed pending put in the
    // flown plan, and the step that made it.
    std::vector<std::string> edit_waiting_, removed_waiting_;
    std::string edit_waiting_step_;
    // The flown fixes when the modification now pending began.
    std::vector<std::string> modification_base_;

    // The steps of what each unit takes, drawn beside the seed's own steps
    // from a stream of their own, and what their rules compare with.
    std::mt19937 input_random_;
    UnitInputSeen input_before_;
    // Procedure choices, likewise from a stream of their own.
    std::mt19937 procedure_random_;
    ProcedureChoiceSeen procedures_before_;
    void start_run(unsigned seed);

    int state_before_ = 0;
    bool load_pending_ = false;
    // The fix a place in a plan names: identifier and position.
    struct Fix {
        std::string ident;
        double lat = 0.0, lon = 0.0;
        bool operator==(const Fix&) const = default;
    };
    static Fix fix_of(const RouteWaypoint& w) { return {w.ident, w.lat, w.lon}; }
    std::vector<Fix> active_before_, working_before_;
    FlownLeg leg_before_;
    PassingSeen passing_before_;
    int lnav_before_ = 0;
    bool airborne_before_ = false; // well clear of the ground
    // In the air the SMITHS keys leave the flown route as it is until EXEC,
    // and EXEC of a route typed anew keeps LNAV engaged.
    void flown_until_exec_faults(const std::string& line, bool exec, std::vector<std::string>& faults);
    // Steps left of the first frames after LNAV engaged.
    int engaging_steps_ = 0;
    // What the LEGS page's count is worked out from, now and before the step,
    // and the page the step's first frame drew.
    int page_before_ = 0;
    std::array<int, 4> displayed_{}, displayed_before_{};
    int to_before_ = 0;
    int legs_mode_before_ = 0;
    int gns_state_before_ = 0, mcu_mode_before_ = 0;
    bool new_plan_before_ = false, whole_plan_ = false;
    int direct_entry_before_ = 0;
    bool gns_delete_before_ = false;
    // The ids of the flown-plan entries the MCU LEGS page and the GNS's
    // chosen row stood on; 0 for none.
    int mcu_leg_id_before_ = 0, gns_row_id_before_ = 0;
    // The approach chosen in the pending modification, and the one the
    // executed plan holds, each with the airport it was chosen at.
    std::string approach_choice_, plan_approach_, approach_before_, flown_approach_before_;
    std::string choice_airport_, approach_airport_;
};
