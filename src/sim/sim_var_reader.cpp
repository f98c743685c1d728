// The reader object and the accessors that are more than one plain read: the
// speed filter, the two host-generation choices and the fuel-on-board low mark.
#include "sim/sim_var_reader.h"

#include "sim/panel_services.h"
#include "sim/sim_var_reads.h"

double fuel_on_board_low_lb = 0.0;

SimVarReader sim_var_object;

// Each call is one step, whoever calls: s = last s x 0.7 + reading x 0.3, the
// record starting at 0.0. Both value fields carry s to the next call, so it
// does not matter whether the host copies value into previous value.
double SimVarReader::get_speed_smoothed() {
    ps_read_token_var(&speed_record_);
    double s = speed_record_.var_old.n * 0.7 + speed_record_.var_value.n * 0.30000000000000004;
    speed_record_.var_value.n = s;
    speed_record_.var_old.n = s;
    return s;
}

// The older host serves bank on token 80, every other generation on 79.
double SimVarReader::get_bank_deg() const {
    return read_token(host_sim_version == 9 ? 80 : 79);
}

double SimVarReader::get_decision_height_ft() const {
    if (host_sim_version >= 10) return calculate_integer("(A:DECISION HEIGHT,FEET)");
    return read_token(615);
}

// Token 386 times token 306; the low mark follows the fuel down, never up.
double SimVarReader::get_fuel_on_board_lb() const {
    double fuel = get_simvar_386() * get_fuel_quantity_gal();
    if (fuel_on_board_low_lb > fuel) fuel_on_board_low_lb = fuel;
    return fuel;
}
