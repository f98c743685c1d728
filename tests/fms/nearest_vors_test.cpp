#include "fms/math/nav_math.h"
#include "fms/nav/nearest_vors.h"
#include "fms/plan/candidate_list.h"
#include "fms/procedures/airport_detail.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A station at the distance (NM) and true course from 47 N 8 E.
NavRecord station(const std::string& ident, const char* kind, double distance, double course = 90.0) {
    NavRecord r;
    r.ident = ident;
    r.kind = kind;
    gc_destination_point(47.0, 8.0, course, distance, &r.latitude, &r.longitude);
    return r;
}

} // namespace

TEST(NearestVors, theNineNearestVorsFarthestFirstWithMagneticBearings) {
    NavTable<1001> navaids;
    navaids.append(station("NDB", "N", 1.0));
    for (int d : {50, 12, 80, 30, 20, 70, 40, 90, 60, 10, 100}) // eleven VORs
        navaids.append(station(std::to_string(d), "V", d));
    navaids.append(station("TIE", "V", 80.0)); // as far as the farthest of the nine: not taken
    find_nearest_vors(navaids, 47.0, 8.0, 0.0);
    const char* expected[] = {"", "80", "70", "60", "50", "40", "30", "20", "12", "10"};
    for (int i = 1; i <= 9; ++i)
        EXPECT_EQ(nearest_vors[i].ident, expected[i]) << i;

    // Fewer than nine: the empty entries first; a bearing of 0.3 reads 360.3.
    navaids.clear();
    navaids.append(station("A", "V", 20.0, 10.0));
    find_nearest_vors(navaids, 47.0, 8.0, 9.7);
    EXPECT_EQ(nearest_vors[8].distance_nm, 9999.0);
    EXPECT_EQ(nearest_vors[8].bearing, 9999.0);
    EXPECT_NEAR(nearest_vors[9].bearing, 360.3, 1e-6);
}

TEST(NearestVors, aCandidateBecomesTheReferenceFixByItsKind) {
    const struct {
        const char* kind;
        int expected;
    } rows[] = {{"I", 2}, {"V", 3}, {"N", 3}, {"APT", 4}, {"WPT", 4}}; // another kind keeps the last
    runway_ref_text = "RWY 16L";
    for (const auto& row : rows) {
        candidate_list().clear();
        candidate_list().append(station("FIX", row.kind, 5.0));
        select_ref_nav_candidate(1);
        EXPECT_EQ(ref_nav_kind, row.expected) << row.kind;
    }
    EXPECT_EQ(runway_ref_text, "");
    select_ref_nav_candidate(2); // no such candidate
    EXPECT_EQ(ref_nav_fix.kind, "WPT");
}
