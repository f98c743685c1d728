#include "data/airport_procedures.h"
#include "fms/math/nav_math.h"
#include "fms/procedures/airport_detail.h"
#include "platform/temp_folder.h"
#include "sim/host_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

// The bundled example's origin and destination (KSEA and KPDX, both ways)
// loaded through the procedure loaders.
namespace {

// A copy of the example simulator folder as the current directory.
class ExampleFolder {
  public:
    ExampleFolder() {
        std::filesystem::copy(std::string(ORVEX_SOURCE_DIR) + "/examples/sim", sim_.path(),
                              std::filesystem::copy_options::recursive);
        host_folder = sim_.path();
    }

  private:
    TempFolder sim_;
};

double example_distance_nm(double lat1, double lon1, double lat2, double lon2) {
    double d = 0.0, c = 0.0;
    gc_dist_course(lat1, lon1, lat2, lon2, &d, &c);
    return d;
}

std::vector<std::string> names(const BoundedTable<ProcedureRecord, 141>& table) {
    std::vector<std::string> out;
    for (int i = 1; i <= table.count(); ++i)
        out.push_back(table[i].name);
    return out;
}

std::vector<int> leg_counts(const AirportProcedures& slot, bool stars) {
    std::vector<int> out;
    if (stars)
        for (int i = 1; i <= slot.stars.count(); ++i)
            out.push_back(slot.stars[i].legs.count());
    else
        for (int i = 1; i <= slot.sids.count(); ++i)
            out.push_back(slot.sids[i].legs.count());
    return out;
}

std::vector<std::string> entries(const AirportProcedures& slot) {
    std::vector<std::string> out;
    for (int i = 1; i <= slot.star_entry_list.count(); ++i)
        out.push_back(slot.star_entry_list[i].text);
    return out;
}

// Every leg of every procedure of the slot lies near the airport: coded legs
// included, none left at 0/0 or thrown across the map.
void expect_legs_near(const AirportProcedures& slot, double radius_nm) {
    auto check = [&](const ProcedureRecord& p) {
        for (int l = 1; l <= p.legs.count(); ++l)
            EXPECT_LT(example_distance_nm(slot.airport_latitude, slot.airport_longitude, p.legs[l].latitude,
                                          p.legs[l].longitude),
                      radius_nm)
                << p.name << p.second_text << " leg " << l << " " << p.legs[l].fix;
    };
    for (int i = 1; i <= slot.sids.count(); ++i)
        check(slot.sids[i]);
    for (int i = 1; i <= slot.stars.count(); ++i)
        check(slot.stars[i]);
    for (int i = 1; i <= slot.approaches.count(); ++i)
        check(slot.approaches[i]);
}

} // namespace

TEST(ExampleProcedures, seattleToPortland) {
    ExampleFolder example;
    load_airport_detail("KSEA", 1);
    load_airport_detail("KPDX", 2);
    const AirportProcedures& origin = airport_slots[origin_slot];
    const AirportProcedures& destination = airport_slots[destination_slot];

    EXPECT_EQ(names(origin.sids), (std::vector<std::string>{"SUMMA2", "HAROB3", "SEA7"}));
    EXPECT_EQ(leg_counts(origin, false), (std::vector<int>{11, 13, 2}));
    // SEA7's vectors leg is dropped; its fix is the junction.
    EXPECT_EQ(origin.sids[3].legs[2].fix, "SEA");
    EXPECT_EQ(origin.sids[3].legs[2].marker, "*");
    EXPECT_EQ(origin.sids[1].legs[8].fix, "SUMMA");
    EXPECT_EQ(origin.sids[1].legs[8].marker, "*");
    EXPECT_EQ(origin.sids[1].legs[9].transition, "BTG");
    // The climb off 16L: (1400 - 433) ft at 1500 ft per 3.1667 NM.
    const ProcedureLeg& climb = origin.sids[1].legs[1];
    EXPECT_EQ(climb.fix, "HD162");
    EXPECT_NEAR(example_distance_nm(47.463822, -122.3079, climb.latitude, climb.longitude),
                967.0 / 1500.0 * 3.1666666666666665, 1e-6);
    // The DME leg ends 5 NM from SEA.
    const ProcedureLeg& dme = origin.sids[2].legs[3];
    EXPECT_EQ(dme.fix, "TR162");
    EXPECT_NEAR(example_distance_nm(47.4354, -122.3097, dme.latitude, dme.longitude), 5.0, 0.1);

    EXPECT_EQ(destination.stars.count(), 2);
    EXPECT_EQ(leg_counts(destination, true), (std::vector<int>{9, 6}));
    EXPECT_EQ(entries(destination), (std::vector<std::string>{"OLM", "SEA", "LAVVA", "YKM", "HHOOD"}));
    EXPECT_EQ(destination.approaches.count(), 3);
    EXPECT_EQ(destination.approach_groups.count(), 3);
    ASSERT_EQ(approach_fix_list.count(), 3);
    EXPECT_EQ(approach_fix_list[1].approach_name, "I10R");
    EXPECT_EQ(approach_fix_list[1].runway, "10R");
    // The missed approach off 10R flies out to 12 NM from BTG.
    const ProcedureLeg& missed = destination.approaches[1].legs[7];
    EXPECT_EQ(missed.fix, "HD100");
    EXPECT_NEAR(example_distance_nm(45.7479, -122.5918, missed.latitude, missed.longitude), 12.0, 0.1);

    expect_legs_near(origin, 120.0);
    expect_legs_near(destination, 120.0);
}

TEST(ExampleProcedures, portlandToSeattle) {
    ExampleFolder example;
    load_airport_detail("KPDX", 1);
    load_airport_detail("KSEA", 2);
    const AirportProcedures& origin = airport_slots[origin_slot];
    const AirportProcedures& destination = airport_slots[destination_slot];

    EXPECT_EQ(names(origin.sids), (std::vector<std::string>{"GORGE2", "HILLS3"}));
    EXPECT_EQ(leg_counts(origin, false), (std::vector<int>{11, 12}));
    EXPECT_NEAR(example_distance_nm(45.7479, -122.5918, origin.sids[1].legs[6].latitude,
                                    origin.sids[1].legs[6].longitude),
                4.0, 0.1);
    EXPECT_NEAR(example_distance_nm(45.7479, -122.5918, origin.sids[2].legs[5].latitude,
                                    origin.sids[2].legs[5].longitude),
                15.0, 0.1);

    EXPECT_EQ(leg_counts(destination, true), (std::vector<int>{8, 11, 9}));
    EXPECT_EQ(entries(destination),
              (std::vector<std::string>{"ELN", "YKM", "CHINS", "HQM", "BTG", "OLM", "BLI", "YYJ", "GLASR"}));
    EXPECT_EQ(destination.approaches.count(), 4);
    EXPECT_EQ(approach_fix_list.count(), 4);

    expect_legs_near(origin, 120.0);
    expect_legs_near(destination, 200.0);
}
