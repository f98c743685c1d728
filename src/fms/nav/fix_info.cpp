#include "fms/nav/fix_info.h"

FixInfoRecord fix_info[3];

namespace {

void clear_record(FixInfoRecord& r) {
    r.ident.clear();
    r.lat = r.lon = 0.0;
    r.radial_1 = r.distance_1 = 0.0;
    r.radial_2 = r.distance_2 = 0.0;
    r.radial_3 = r.distance_3 = 0.0;
}

} // namespace

void clear_fix_info(int n) {
    if (n < 1) {
        clear_record(fix_info[1]);
        clear_record(fix_info[2]);
    } else if (n <= 2) {
        clear_record(fix_info[n]);
    }
}
