#include "fms/nav/nearby_index.h"

#include "fms/math/nav_math.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double deg_to_rad = 0.017453292519943295;
constexpr double rad_to_deg = 57.29577951308232;

// The dot product and the distance routine's own cosine differ by a few units
// in the last place; this band (about 2e-4 NM at the rim) is left to the
// distance routine.
constexpr double kCosineMargin = 1e-9;

// Cells and windows are widened by this much so that rounding in a record's
// cell or in the window's edges can never leave a record out.
constexpr double kWindowMarginDeg = 0.01;

constexpr int kRows = 180;
constexpr int kColumns = 360;

int cell_row(double latitude) {
    int row = static_cast<int>(std::floor(latitude + 90.0));
    return std::clamp(row, 0, kRows - 1);
}

// The column of a longitude in degrees, any whole turn.
int cell_column(double longitude) {
    int column = static_cast<int>(std::floor(floored_mod(longitude + 180.0, 360.0)));
    return std::clamp(column, 0, kColumns - 1);
}

} // namespace

UnitVector unit_vector(double latitude, double longitude) {
    const double phi = latitude * deg_to_rad;
    const double lambda = longitude * deg_to_rad;
    const double c = std::cos(phi);
    return {c * std::cos(lambda), c * std::sin(lambda), std::sin(phi)};
}

SearchCircle make_search_circle(double latitude, double longitude, double radius_nm) {
    SearchCircle c;
    c.latitude = latitude;
    c.longitude = longitude;
    c.radius = radius_nm;
    c.centre = unit_vector(latitude, longitude);
    const double angle = radius_nm / earth_radius_nm;
    if (!(angle >= 0.0)) {
        // No distance is at most a negative radius: every test goes to the
        // distance routine's own answer (which is no).
        c.accept_cos = 3.0;
        c.reject_cos = -3.0;
    } else if (angle > 3.1416) {
        // Clearly more than half the circumference takes in the whole globe
        // (at about half, points near the antipode go to the distance routine).
        c.accept_cos = -3.0;
        c.reject_cos = -3.0;
    } else {
        const double cos_radius = std::cos(angle);
        c.accept_cos = cos_radius + kCosineMargin;
        c.reject_cos = cos_radius - kCosineMargin;
    }
    return c;
}

bool circle_contains_by_distance(const SearchCircle& circle, double latitude, double longitude) {
    double distance = 0.0, course = 0.0;
    gc_dist_course(circle.latitude, circle.longitude, latitude, longitude, &distance, &course);
    return distance <= circle.radius;
}

void build_position_grid(PositionGrid& grid, const std::vector<GridPosition>& positions) {
    grid.cell_start.assign(kRows * kColumns + 1, 0);
    grid.entries.clear();
    grid.off_grid.clear();
    grid.record_count = static_cast<int>(positions.size());

    // Counting sort by cell keeps table order within each cell.
    std::vector<int> cell_of(positions.size(), -1);
    for (std::size_t i = 0; i < positions.size(); ++i) {
        const GridPosition& p = positions[i];
        if (!gridded_position(p.latitude, p.longitude)) continue;
        cell_of[i] = cell_row(p.latitude) * kColumns + cell_column(p.longitude);
        ++grid.cell_start[cell_of[i] + 1];
    }
    for (int c = 0; c < kRows * kColumns; ++c)
        grid.cell_start[c + 1] += grid.cell_start[c];

    std::vector<int> next(grid.cell_start.begin(), grid.cell_start.end() - 1);
    grid.entries.resize(static_cast<std::size_t>(grid.cell_start.back()));
    for (std::size_t i = 0; i < positions.size(); ++i) {
        const GridPosition& p = positions[i];
        GridEntry e{unit_vector(p.latitude, p.longitude), p.latitude, p.longitude, static_cast<int>(i) + 1};
        if (cell_of[i] < 0)
            grid.off_grid.push_back(e);
        else
            grid.entries[static_cast<std::size_t>(next[cell_of[i]]++)] = e;
    }
}

void find_in_circle(const PositionGrid& grid, const SearchCircle& circle, std::vector<FoundRecord>& found) {
    const std::size_t first_found = found.size();
    auto take = [&](const GridEntry& e) {
        if (circle_contains(circle, e.point, e.latitude, e.longitude)) found.push_back({e.record, e.point});
    };

    if (!grid.cell_start.empty()) {
        // Every point within the radius lies within radius / 60 degrees of
        // latitude of the centre (one minute of arc is one NM) and, unless the
        // circle reaches a pole, within asin(sin r / cos lat) of its longitude.
        const double reach_deg = circle.radius / 60.0 + kWindowMarginDeg;
        const double south = circle.latitude - reach_deg;
        const double north = circle.latitude + reach_deg;
        const int row_first = cell_row(south);
        const int row_last = cell_row(north);

        bool all_columns = south <= -90.0 || north >= 90.0;
        int column_first = 0, column_last = kColumns - 1;
        if (!all_columns) {
            const double s = std::sin(reach_deg * deg_to_rad) / std::cos(circle.latitude * deg_to_rad);
            if (s >= 1.0) {
                all_columns = true;
            } else {
                const double half_width = std::asin(s) * rad_to_deg + kWindowMarginDeg;
                const double centre = floored_mod(circle.longitude + 180.0, 360.0);
                column_first = static_cast<int>(std::floor(centre - half_width));
                column_last = static_cast<int>(std::floor(centre + half_width));
                if (column_last - column_first + 1 >= kColumns) all_columns = true;
            }
        }
        if (all_columns) {
            column_first = 0;
            column_last = kColumns - 1;
        }

        for (int row = row_first; row <= row_last; ++row) {
            for (int c = column_first; c <= column_last; ++c) {
                const int column = ((c % kColumns) + kColumns) % kColumns; // across the antimeridian
                const int cell = row * kColumns + column;
                for (int i = grid.cell_start[cell]; i < grid.cell_start[cell + 1]; ++i)
                    take(grid.entries[static_cast<std::size_t>(i)]);
            }
        }
    }
    for (const GridEntry& e : grid.off_grid)
        if (circle_contains_by_distance(circle, e.latitude, e.longitude))
            found.push_back({e.record, e.point});

    std::sort(found.begin() + static_cast<std::ptrdiff_t>(first_found), found.end(),
              [](const FoundRecord& a, const FoundRecord& b) { return a.record < b.record; });
}
