// TAKEOFF REF typed on the keys: flaps from the aircraft file's list, the V
// speeds within their limits, the pre-flight status and the prompts.
#include "cdu_smiths/smiths_pages.h"
#include "cdu_stand_in.h"
#include "data/aircraft_settings.h"
#include "fms/plan/route_state.h"
#include "fms/units/cdu_text.h"

namespace {

class TakeoffRef : public CduStandIn {
  protected:
    // From IDENT, or with a route from PERF INIT, to the index and TAKEOFF.
    void open() {
        if (smiths_cdu_page != kPageIdent) press("INIT_REF");
        press("L6 L4");
        frames(1);
        ASSERT_EQ(smiths_cdu_page, kPageTakeoffRef);
    }
    bool accepted(const std::string& entry, const std::string& key) {
        press("\"" + entry + "\" " + key);
        const bool ok = smiths_scratchpad.empty() && smiths_scratchpad_message.empty();
        if (!ok) {
            EXPECT_EQ(smiths_scratchpad_message, "INVALID ENTRY") << entry;
        }
        while (!smiths_scratchpad.empty() || !smiths_scratchpad_message.empty())
            press("CLR");
        return ok;
    }
};

} // namespace

TEST_F(TakeoffRef, flapsComeFromTheListAndSpeedsStayBelowTheirLimits) {
    open();
    EXPECT_EQ(TOFLAPSRANGE, ",1,5,10,15,25,");
    struct Row {
        const char* entry;
        const char* key;
        bool ok;
    } rows[] = {
        {"10", "L1", true},   {"5", "L1", true},           {"7", "L1", false},   {"50", "L1", false},
        {"05", "L1", false},  {"249", "R1", true},         {"250", "R1", false}, {"0", "R1", false},
        {"ABC", "R2", false}, {"4294967546", "R1", false}, {"180", "R2", true},  {"269", "R3", true},
        {"270", "R3", false},
    };
    for (const Row& r : rows)
        EXPECT_EQ(accepted(r.entry, r.key), r.ok) << r.entry << " " << r.key;
    EXPECT_EQ(text_at(20, 33), "5\xC2\xB0");
    EXPECT_EQ(text_at(245, 36), "249");
    EXPECT_EQ(text_at(245, 68), "180");
    EXPECT_EQ(text_at(245, 98), "269");
    EXPECT_EQ(text_at(12, 55), "26 K   N 1");
    press("R1"); // an empty scratchpad changes nothing
    EXPECT_EQ(V1, 249);
}

TEST_F(TakeoffRef, routePromptOnlyWithoutARouteAndDeparturesOnceAnOriginIsSet) {
    open();
    EXPECT_EQ(text_at(200, 133), "ROUTE>");
    EXPECT_EQ(text_at(55, 121), "P R E     F L T   S T A T U S");
    press("R5"); // no origin yet
    EXPECT_EQ(smiths_cdu_page, kPageTakeoffRef);
    press("R4");
    EXPECT_EQ(smiths_cdu_page, kPageRte);

    press("\"KSEA\" L1 \"KPDX\" R1 NEXT \"SEA\" R1 \"V23\" L2 \"BTG\" R2 R6 EXEC");
    open();
    EXPECT_EQ(text_at(200, 133), "");
    EXPECT_EQ(text_at(157, 167), "DEPARTURE>");
    press("R4");
    EXPECT_EQ(smiths_cdu_page, kPageTakeoffRef);
    press("R5");
    EXPECT_EQ(smiths_cdu_page, kPageDepartures);
    open();
    press("L6");
    EXPECT_EQ(smiths_cdu_page, kPageInitRefIndex);
}
