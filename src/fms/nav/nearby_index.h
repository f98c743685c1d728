// Spatial prefilter behind the nearby lists: a search circle whose test
// answers exactly as gc_dist_course(centre, point) <= radius does, and a grid
// of one-degree cells over a table's positions, so that a list is built from
// the few cells around its centre instead of every record.
#pragma once

#include <vector>

struct UnitVector {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};

// The point on the unit sphere. Exact tests compare dot products of these
// with the circle's cosine only where the outcome is beyond rounding doubt.
UnitVector unit_vector(double latitude, double longitude);

// Positions the grid places by their own coordinates: finite, latitude in
// [-90, 90], longitude in [-360, 360]. Any other position (junk in a file)
// is still tested, by the distance routine itself.
inline bool gridded_position(double latitude, double longitude) {
    // Also false for NaN.
    return latitude >= -90.0 && latitude <= 90.0 && longitude >= -360.0 && longitude <= 360.0;
}

struct SearchCircle {
    double latitude = 0.0;
    double longitude = 0.0;
    double radius = 0.0; // NM
    UnitVector centre;
    // Dot products at or above accept_cos are inside whatever the rounding;
    // below reject_cos outside; between them gc_dist_course decides.
    double accept_cos = 2.0;
    double reject_cos = 2.0;
};

SearchCircle make_search_circle(double latitude, double longitude, double radius_nm);

// gc_dist_course(circle centre, point) <= radius by the distance routine.
bool circle_contains_by_distance(const SearchCircle& circle, double latitude, double longitude);

// The same answer, with the distance routine called only for points within
// rounding reach of the rim. Inline: the lists call it for every candidate.
inline bool circle_contains(const SearchCircle& circle, const UnitVector& point, double latitude,
                            double longitude) {
    const double dot = circle.centre.x * point.x + circle.centre.y * point.y + circle.centre.z * point.z;
    if (dot >= circle.accept_cos) return true;
    if (dot < circle.reject_cos) return false;
    return circle_contains_by_distance(circle, latitude, longitude);
}

struct GridEntry {
    UnitVector point;
    double latitude = 0.0;
    double longitude = 0.0;
    int record = 0;
};

struct PositionGrid {
    int generation = -1; // nav_database_generation it was built for
    int record_count = -1;
    std::vector<int> cell_start;     // cells row by row, plus one end mark
    std::vector<GridEntry> entries;  // by cell; table order within a cell
    std::vector<GridEntry> off_grid; // positions gridded_position refuses
};

struct GridPosition {
    double latitude = 0.0;
    double longitude = 0.0;
};

// Builds the grid over records 1..n whose positions are positions[0..n-1].
void build_position_grid(PositionGrid& grid, const std::vector<GridPosition>& positions);

struct FoundRecord {
    int record = 0;
    UnitVector point;
};

// Every record of the grid inside the circle, appended to found in table
// order. The circle's centre must be a gridded position.
void find_in_circle(const PositionGrid& grid, const SearchCircle& circle, std::vector<FoundRecord>& found);
