// The mathematics runs on per-frame and per-record paths: none of it may
// allocate. Every operator new in this test program is counted.
#include "data/wmm.h"
#include "fms/math/air_data.h"
#include "fms/math/date_math.h"
#include "fms/math/heading_math.h"
#include "fms/math/magnetic_variation.h"
#include "fms/math/nav_math.h"
#include "fms/perf/speed_targets.h"
#include "sim/radix.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

namespace {
int allocations = 0;
}

void* operator new(std::size_t size) {
    ++allocations;
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
// The other forms too, so that every allocation of this program pairs
// malloc with free (the library's temporary buffers use the nothrow form).
void* operator new[](std::size_t size) {
    return operator new(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    ++allocations;
    return std::malloc(size ? size : 1);
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept {
    return operator new(size, tag);
}
void operator delete[](void* p) noexcept {
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete(void* p, const std::nothrow_t&) noexcept {
    std::free(p);
}
void operator delete[](void* p, const std::nothrow_t&) noexcept {
    std::free(p);
}

TEST(NoAllocation, MathematicsAndMagneticModelAllocateNothing) {
    load_wmm_coefficients();
    day_of_year_to_date(1, 2005); // first use of the month text

    const int before = allocations;
    double a = 0.0, b = 0.0;
    int32_t ix = 0, iy = 0;
    int direction = 0, difference = 0;
    gc_dist_course(47.0, 8.0, 51.0, -1.0, &a, &b);
    gc_destination_point(47.0, 8.0, 300.0, 120.0, &a, &b);
    course_intersection(0.0, 0.0, 45.0, 0.0, 10.0, 315.0, &a, &b);
    turn_arc_geometry(350.0, 10.0, 100.0, 100.0, 50.0, &a, &b);
    turn_arc_geometry_i(350.0, 10.0, 100, 100, 50.0, &ix, &iy);
    a = isa_inverse_pressure_ratio(10000.0) + dms_to_degrees(47, 26, 58);
    a = ias_to_tas(250.0, 10000.0) + tas_to_ias(300.0, 10000.0) + ias_to_mach(250.0, 30000.0);
    a = mach_to_ias(0.78, &b);
    update_speed_trend(250.0);
    apply_cost_index();
    direction = heading_difference(10.0, 350.0) + turn_direction(10.0, 350.0);
    heading_difference_dir(10.0, 350.0, &direction, &difference);
    direction = convert_radix(0x1234, 16, 10);
    day_of_year_to_date(200, 2005);
    direction = compute_magnetic_variation(47, 11);
    EXPECT_EQ(allocations, before);
}
