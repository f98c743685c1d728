// Radio-frequency readers from BCD codes, the COM display digits, ADF 2,
// identifiers, the localizer course and the key-event senders.
#include "sim/sim_var_reader.h"

#include "sim/accessor_rows.h"
#include "sim/sim_values_services.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using V = SimValues;

TEST(RadioAccessors, BcdFrequenciesReadHexDigitsAsDecimalMegahertz) {
    SimValuesInstalled sim;
    struct Row {
        const char* name;
        Reader read;
        uint32_t token;
        uint32_t code;
        double mhz;
    };
    const Row rows[] = {
        {ROW(get_simvar_23_bcd_mhz), 23, 0x1080, 110.80},
        {ROW(get_simvar_24_bcd_mhz), 24, 0x1795, 117.95},
        {ROW(get_simvar_27_bcd_mhz), 27, 0x0810, 108.10},
        {ROW(get_simvar_617_bcd_mhz), 617, 0x1150, 111.50},
        {ROW(get_simvar_870_bcd_mhz), 870, 0x1827, 118.27},
        {ROW(get_simvar_871_bcd_mhz), 871, 0x2180, 121.80},
        {ROW(get_simvar_872_bcd_mhz), 872, 0x3697, 136.97},
        {ROW(get_simvar_873_bcd_mhz), 873, 0x0000, 100.00},
    };
    for (const Row& r : rows) {
        V::reset();
        V::coded[r.token] = r.code;
        EXPECT_NEAR((sim_var_object.*r.read)(), r.mhz, 1e-9) << r.name;
        EXPECT_EQ(V::token_reads, std::vector<uint32_t>{r.token}) << r.name;
    }
    V::reset();
    V::coded[38] = 0x1234;
    EXPECT_EQ(sim_var_object.get_simvar_38_bcd(), 1234.0);
}

TEST(RadioAccessors, AdfKilohertzComposesTheWholeAndTenthsParts) {
    SimValuesInstalled sim;
    struct Row {
        uint32_t whole, extra;
        double khz;
    };
    // Token 18's part of 100 or more carries 1000 kHz.
    const Row rows[] = {{0x0350, 0x0005, 350.5},
                        {0x0350, 0x0105, 1350.5},
                        {0x0415, 0x0100, 1415.0},
                        {0x0199, 0x0099, 208.9},
                        {0x0000, 0x0000, 0.0}};
    for (const Row& r : rows) {
        V::reset();
        V::coded[16] = r.whole;
        V::coded[18] = r.extra;
        EXPECT_NEAR(sim_var_object.get_simvar_16_18_bcd_khz(), r.khz, 1e-9) << std::hex << r.whole;
        EXPECT_EQ(V::token_reads, (std::vector<uint32_t>{16, 18}));
    }
}

TEST(RadioAccessors, AdfFromTheAircraftVariableTruncatesBeforeReencoding) {
    SimValuesInstalled sim;
    V::units["number"] = 7;
    // 0x0105 = 261: digits 105 serve as both parts, so 105 + 1000 + 0.5.
    V::aircraft_vars[{480, 7}] = 261.9;
    EXPECT_NEAR(sim_var_object.get_var_480_bcd_khz(), 1105.5, 1e-9);
    // 0x0042 = 66: 42 + 4.2.
    V::aircraft_vars[{480, 7}] = 66.0;
    EXPECT_NEAR(sim_var_object.get_var_480_bcd_khz(), 46.2, 1e-9);
    EXPECT_EQ(V::units_asked.front(), "number");
    EXPECT_EQ(V::aircraft_var_reads.front(), (std::vector<int64_t>{480, 7, 0}));
}

TEST(RadioAccessors, ComDigitsFromTheFrequencyInMegahertz) {
    SimValuesInstalled sim;
    struct Reads {
        const char* code;
        Reader tenths;
        Reader last; // null where the radio has no last-digit reader
    };
    const Reads radios[] = {
        {"(A:COM1 ACTIVE FREQUENCY, megahertz)", &SimVarReader::get_com1_active_freq_tenths_digit,
         &SimVarReader::get_com1_active_freq_last_digit},
        {"(A:COM1 STANDBY FREQUENCY, megahertz)", &SimVarReader::get_com1_standby_freq_tenths_digit,
         &SimVarReader::get_com1_standby_freq_last_digit},
        {"(A:COM1 STANDBY FREQUENCY, megahertz)", &SimVarReader::get_com1_standby_freq_tenths_digit_2,
         nullptr},
        {"(A:COM2 ACTIVE FREQUENCY, megahertz)", &SimVarReader::get_com2_active_freq_tenths_digit,
         &SimVarReader::get_com2_active_freq_last_digit},
        {"(A:COM2 STANDBY FREQUENCY, megahertz)", &SimVarReader::get_com2_standby_freq_tenths_digit,
         &SimVarReader::get_com2_standby_freq_last_digit},
    };
    struct Case {
        double mhz, tenths, last;
    };
    const Case cases[] = {
        {118.275, 2.0, 7.0}, {118.2499, 2.0, 5.0}, // stored a little low: a 4 shows as 5
        {121.5, 5.0, 0.0},   {118.29, 2.0, 0.0},   // a 9 shows as 0
        {136.975, 9.0, 7.0}, {132.0, 0.0, 0.0},
    };
    for (const Reads& radio : radios) {
        for (const Case& c : cases) {
            V::reset();
            V::numbers[radio.code] = c.mhz;
            EXPECT_EQ((sim_var_object.*radio.tenths)(), c.tenths) << radio.code << " " << c.mhz;
            if (radio.last) {
                EXPECT_EQ((sim_var_object.*radio.last)(), c.last) << radio.code << " " << c.mhz;
            }
        }
    }
}

TEST(RadioAccessors, ComTenthsTakesTheFifthCharacterOfAnyFrequencyText) {
    SimValuesInstalled sim;
    const char* code = "(A:COM1 ACTIVE FREQUENCY, megahertz)";
    struct Row {
        double mhz, digit;
    };
    const Row rows[] = {
        {5.579, 9.0},        // "5.579"
        {12345.678, 5.0},    // "12345.678"
        {1e300, 0.0},        // 301 digits: formatted into a bounded buffer
        {-118.275, 0.0},     // "-118.275": the point
        {std::nan(""), 0.0}, // "nan": no fifth character
        {-INFINITY, 0.0},    // "-inf"
    };
    for (const Row& r : rows) {
        V::numbers[code] = r.mhz;
        EXPECT_EQ(sim_var_object.get_com1_active_freq_tenths_digit(), r.digit) << r.mhz;
    }
}

TEST(RadioAccessors, ComStandbyValuesAdfTwoAndLocalizer) {
    SimValuesInstalled sim;
    const CalculatorRow rows[] = {
        {ROW(get_com1_standby_frequency_mhz), "(A:COM1 STANDBY FREQUENCY, megahertz)", false, 118.275,
         118.275},
        {ROW(get_com1_standby_frequency_x10), "(A:COM1 STANDBY FREQUENCY, megahertz)", false, 118.275,
         1182.75},
        {ROW(get_com1_standby_frequency_b), "(A:COM1 STANDBY FREQUENCY, megahertz)", false, 118.275, 0.275},
        {ROW(get_adf_active_frequency2_khz), "(A:ADF ACTIVE FREQUENCY:2,number)", false, 350500.0, 350.5},
        {ROW(get_adf_radial2_deg), "(A:ADF RADIAL:2,degrees)", false, 123.0, 123.0},
        {ROW(get_adf_signal2), "(A:ADF SIGNAL:2,number)", false, 2.0, 2.0},
    };
    check_calculator_rows(rows, std::size(rows));
}

TEST(RadioAccessors, LocalizerCourseIsMagneticAndFoldedIntoZeroToThreeSixty) {
    SimValuesInstalled sim;
    struct Row {
        double course, magvar, expected;
    };
    const Row rows[] = {
        {90.0, -10.0, 100.0}, {5.0, 20.0, 345.0},
        {355.0, -10.0, 5.0},  {10.0, 10.0, 360.0}, // exactly 0 becomes 360
        {370.0, 10.0, 360.0},                      // exactly 360 becomes 0, then 360
    };
    for (const Row& r : rows) {
        V::reset();
        V::numbers["(A:NAV LOCALIZER:1,degrees)"] = r.course;
        V::tokens[82] = r.magvar;
        EXPECT_EQ(sim_var_object.get_nav_localizer1_deg(), r.expected) << r.course << " " << r.magvar;
        EXPECT_EQ(V::token_reads, std::vector<uint32_t>{82});
    }
}

TEST(RadioAccessors, IdentifierTextsAreCopiedAndNullGivesEmpty) {
    SimValuesInstalled sim;
    struct Row {
        std::string (SimVarReader::*read)() const;
        const char* code;
    };
    const Row rows[] = {{&SimVarReader::get_adf_ident1_text, "(A:ADF IDENT:1,string)"},
                        {&SimVarReader::get_adf_ident2_text, "(A:ADF IDENT:2,string)"},
                        {&SimVarReader::get_nav_ident1_text, "(A:NAV IDENT:1,string)"},
                        {&SimVarReader::get_nav_ident2_text, "(A:NAV IDENT:2,string)"}};
    for (const Row& r : rows) {
        V::reset();
        EXPECT_EQ((sim_var_object.*r.read)(), "") << r.code;
        V::texts[r.code] = "KLO";
        std::string text = (sim_var_object.*r.read)();
        V::texts[r.code] = "XXX"; // the copy is the module's own
        EXPECT_EQ(text, "KLO") << r.code;
    }
}

TEST(KeySenders, PlainSendersSendTheirEventWithParameterZero) {
    SimValuesInstalled sim;
    sim_var_object.send_efs50_knob_left();
    sim_var_object.send_efs50_knob_right();
    EXPECT_EQ(V::key_events, (std::vector<std::pair<uint32_t, uint32_t>>{{0x1007E, 0}, {0x1007F, 0}}));
}

TEST(KeySenders, DecisionHeightKeysSendOnlyInsideTheRange) {
    SimValuesInstalled sim;
    struct Row {
        double dh;
        bool inc_sends, dec_sends;
    };
    const Row rows[] = {{990.0, false, true}, {989.9, true, true},   {0.0, true, false},
                        {0.1, true, true},    {1200.0, false, true}, {-10.0, true, false}};
    for (const Row& r : rows) {
        V::reset();
        V::tokens[615] = r.dh;
        sim_var_object.send_decision_height_inc();
        EXPECT_EQ(V::key_events.size(), r.inc_sends ? 1u : 0u) << r.dh;
        if (r.inc_sends) {
            EXPECT_EQ(V::key_events.back(), (std::pair<uint32_t, uint32_t>{0x10311, 0}));
        }
        V::key_events.clear();
        sim_var_object.send_decision_height_dec();
        EXPECT_EQ(V::key_events.size(), r.dec_sends ? 1u : 0u) << r.dh;
        if (r.dec_sends) {
            EXPECT_EQ(V::key_events.back(), (std::pair<uint32_t, uint32_t>{0x10312, 0}));
        }
    }

    // The newer host gives the height through the expression.
    host_sim_version = 10;
    V::reset();
    V::tokens[615] = 500.0; // not asked for
    V::integers["(A:DECISION HEIGHT,FEET)"] = 990;
    sim_var_object.send_decision_height_inc();
    EXPECT_TRUE(V::key_events.empty());
    V::integers["(A:DECISION HEIGHT,FEET)"] = 989;
    sim_var_object.send_decision_height_inc();
    EXPECT_EQ(V::key_events.size(), 1u);
}

} // namespace
