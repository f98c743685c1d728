// Engines 1 to 4, fuel flow, fuel on board and the tank values.
#include "sim/sim_var_reader.h"
#include "sim/sim_var_reads.h"

namespace {

// Both tokens are always read; the primary wins only when above zero.
double fuel_flow_pair(uint32_t primary_token, uint32_t alternate_token) {
    double primary = read_token(primary_token);
    double alternate = read_token(alternate_token);
    return primary > 0.0 ? primary : alternate;
}

} // namespace

double SimVarReader::get_eng1_n1_pct() const {
    return read_token(626);
}
double SimVarReader::get_eng2_n1_pct() const {
    return read_token(645);
}
double SimVarReader::get_eng3_n1_pct() const {
    return read_token(664);
}
double SimVarReader::get_eng4_n1_pct() const {
    return read_token(683);
}
double SimVarReader::get_eng1_n2_pct() const {
    return read_token(625);
}
double SimVarReader::get_eng2_n2_pct() const {
    return read_token(644);
}
double SimVarReader::get_eng3_n2_pct() const {
    return read_token(663);
}
double SimVarReader::get_eng4_n2_pct() const {
    return read_token(682);
}
double SimVarReader::get_eng1_epr() const {
    return read_token(128);
}
double SimVarReader::get_eng2_epr() const {
    return read_token(163);
}
double SimVarReader::get_eng3_epr() const {
    return read_token(198);
}
double SimVarReader::get_eng4_epr() const {
    return read_token(233);
}
double SimVarReader::get_eng1_egt_c() const {
    return rankine_to_celsius(read_token(567));
}
double SimVarReader::get_eng2_egt_c() const {
    return rankine_to_celsius(read_token(577));
}
double SimVarReader::get_eng3_egt_c() const {
    return rankine_to_celsius(read_token(587));
}
double SimVarReader::get_eng4_egt_c() const {
    return rankine_to_celsius(read_token(597));
}
double SimVarReader::get_eng1_oil_temp_c() const {
    return rankine_to_celsius(read_token(561));
}
double SimVarReader::get_eng2_oil_temp_c() const {
    return rankine_to_celsius(read_token(571));
}
double SimVarReader::get_eng3_oil_temp_c() const {
    return rankine_to_celsius(read_token(581));
}
double SimVarReader::get_eng4_oil_temp_c() const {
    return rankine_to_celsius(read_token(591));
}
double SimVarReader::get_eng1_oil_pressure_psi() const {
    return psf_to_psi(read_token(562));
}
double SimVarReader::get_eng2_oil_pressure_psi() const {
    return psf_to_psi(read_token(572));
}
double SimVarReader::get_eng3_oil_pressure_psi() const {
    return psf_to_psi(read_token(582));
}
double SimVarReader::get_eng4_oil_pressure_psi() const {
    return psf_to_psi(read_token(592));
}
double SimVarReader::get_eng1_simvar_149_scaled() const {
    return engine_value_scale(read_token(149));
}
double SimVarReader::get_eng2_simvar_184_scaled() const {
    return engine_value_scale(read_token(184));
}
double SimVarReader::get_eng3_simvar_219_scaled() const {
    return engine_value_scale(read_token(219));
}
double SimVarReader::get_eng4_simvar_254_scaled() const {
    return engine_value_scale(read_token(254));
}
double SimVarReader::get_eng1_simvar_630() const {
    return read_token(630);
}
double SimVarReader::get_eng2_simvar_649() const {
    return read_token(649);
}
double SimVarReader::get_eng3_simvar_668() const {
    return read_token(668);
}
double SimVarReader::get_eng4_simvar_687() const {
    return read_token(687);
}
double SimVarReader::get_simvar_633() const {
    return read_token(633);
}
double SimVarReader::get_simvar_652() const {
    return read_token(652);
}
double SimVarReader::get_simvar_671() const {
    return read_token(671);
}
double SimVarReader::get_simvar_690() const {
    return read_token(690);
}
double SimVarReader::get_eng1_simvar_627() const {
    return read_token(627);
}
double SimVarReader::get_eng2_simvar_646() const {
    return read_token(646);
}
double SimVarReader::get_eng3_simvar_665() const {
    return read_token(665);
}
double SimVarReader::get_eng4_simvar_684() const {
    return read_token(684);
}
double SimVarReader::get_eng1_simvar_631_c() const {
    return rankine_to_celsius(read_token(631));
}
double SimVarReader::get_eng2_simvar_650_c() const {
    return rankine_to_celsius(read_token(650));
}
double SimVarReader::get_eng3_simvar_669_c() const {
    return rankine_to_celsius(read_token(669));
}
double SimVarReader::get_eng4_simvar_688_c() const {
    return rankine_to_celsius(read_token(688));
}
double SimVarReader::get_simvar_732_psi() const {
    return psf_to_psi(read_token(732));
}
double SimVarReader::get_simvar_734_psi() const {
    return psf_to_psi(read_token(734));
}
double SimVarReader::get_simvar_736_psi() const {
    return psf_to_psi(read_token(736));
}
double SimVarReader::get_simvar_738_psi() const {
    return psf_to_psi(read_token(738));
}
double SimVarReader::get_eng1_fuel_flow() const {
    return fuel_flow_pair(421, 638);
}
double SimVarReader::get_eng2_fuel_flow() const {
    return fuel_flow_pair(460, 657);
}
double SimVarReader::get_eng3_fuel_flow() const {
    return fuel_flow_pair(499, 676);
}
double SimVarReader::get_eng4_fuel_flow() const {
    return fuel_flow_pair(538, 695);
}

// Engine 1's primary decides for all four engines which family is summed.
double SimVarReader::get_total_fuel_flow() const {
    static constexpr uint32_t primary_tokens[4] = {421, 460, 499, 538};
    static constexpr uint32_t alternate_tokens[4] = {638, 657, 676, 695};
    double primary[4];
    double alternate[4];
    for (int i = 0; i < 4; ++i)
        primary[i] = read_token(primary_tokens[i]);
    for (int i = 0; i < 4; ++i)
        alternate[i] = read_token(alternate_tokens[i]);
    const double* summed = primary[0] > 0.0 ? primary : alternate;
    return summed[0] + summed[1] + summed[2] + summed[3];
}

double SimVarReader::get_fuel_quantity_gal() const {
    return read_token(306);
}
double SimVarReader::get_simvar_386() const {
    return read_token(386);
}
double SimVarReader::get_simvar_342() const {
    return read_token(342);
}
double SimVarReader::get_simvar_290() const {
    return read_token(290);
}
double SimVarReader::get_simvar_292() const {
    return read_token(292);
}
double SimVarReader::get_simvar_294() const {
    return read_token(294);
}
double SimVarReader::get_simvar_296() const {
    return read_token(296);
}
double SimVarReader::get_simvar_298() const {
    return read_token(298);
}
double SimVarReader::get_simvar_300() const {
    return read_token(300);
}
double SimVarReader::get_simvar_302() const {
    return read_token(302);
}

double SimVarReader::get_payload_weight_lb() const {
    static const char* const stations[20] = {
        "(A:Payload Station Weight:1,pounds)",  "(A:Payload Station Weight:2,pounds)",
        "(A:Payload Station Weight:3,pounds)",  "(A:Payload Station Weight:4,pounds)",
        "(A:Payload Station Weight:5,pounds)",  "(A:Payload Station Weight:6,pounds)",
        "(A:Payload Station Weight:7,pounds)",  "(A:Payload Station Weight:8,pounds)",
        "(A:Payload Station Weight:9,pounds)",  "(A:Payload Station Weight:10,pounds)",
        "(A:Payload Station Weight:11,pounds)", "(A:Payload Station Weight:12,pounds)",
        "(A:Payload Station Weight:13,pounds)", "(A:Payload Station Weight:14,pounds)",
        "(A:Payload Station Weight:15,pounds)", "(A:Payload Station Weight:16,pounds)",
        "(A:Payload Station Weight:17,pounds)", "(A:Payload Station Weight:18,pounds)",
        "(A:Payload Station Weight:19,pounds)", "(A:Payload Station Weight:20,pounds)",
    };
    double total = 0.0;
    for (const char* station : stations)
        total += calculate_number(station);
    return total;
}
