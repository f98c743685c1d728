#include "fms/nav/nearby_lists.h"

#include "data/nav_database.h"
#include "fms/nav/nearby_index.h"

#include <algorithm>
#include <cstdint>
#include <vector>

NavTable<3001> near_airports;
ListCentre near_airports_centre;
NavTable<1001> close_airports;
ListCentre close_airports_centre;
NavTable<3001> near_navaids;
ListCentre near_navaids_centre;
NavTable<1001> local_navaids;
ListCentre local_navaids_centre;
NavTable<8001> near_airway_fixes;
ListCentre near_airway_fixes_centre;
NavTable<5001> local_airway_fixes;
ListCentre local_airway_fixes_centre;

namespace {

constexpr double kWideRadius = 600.0;
constexpr int kWideLimit = 3000;

// The grids over the three source tables, built on a list's first use after
// each database load (the tables change only there).
PositionGrid airport_grid;
PositionGrid navaid_grid;
PositionGrid airway_fix_grid;

// Each wide list's positions and their unit vectors, by list slot (slot 0
// unused), noted by its builder so that the close list needs no
// trigonometry and no second look at the records it leaves out. Kept as
// arrays of each coordinate, so that the close list's first pass over them
// is a plain loop of products the compiler can vectorise.
struct CachedPoints {
    std::vector<double> latitude, longitude, x, y, z;
    std::vector<uint8_t> gridded; // gridded_position of the slot's record

    std::size_t size() const { return x.size(); }
    bool empty() const { return x.empty(); }
    void clear() {
        for (std::vector<double>* v : {&latitude, &longitude, &x, &y, &z})
            v->clear();
        gridded.clear();
    }
    void push_back(double lat, double lon, const UnitVector& p) {
        latitude.push_back(lat);
        longitude.push_back(lon);
        x.push_back(p.x);
        y.push_back(p.y);
        z.push_back(p.z);
        gridded.push_back(gridded_position(lat, lon) ? 1 : 0);
    }
};
CachedPoints near_airports_points;
CachedPoints near_navaids_points;
CachedPoints near_airway_fixes_points;

// Kept between calls so that a build allocates nothing once warm.
std::vector<FoundRecord> found_records;
std::vector<int> picked_slots;
std::vector<double> slot_dots;

template <std::size_t Slots> const PositionGrid& grid_over(const NavTable<Slots>& table, PositionGrid& grid) {
    if (grid.generation == nav_database_generation && grid.record_count == table.count()) return grid;
    std::vector<GridPosition> positions(static_cast<std::size_t>(table.count()));
    for (int i = 1; i <= table.count(); ++i)
        positions[static_cast<std::size_t>(i - 1)] = {table.entry(i).latitude, table.entry(i).longitude};
    build_position_grid(grid, positions);
    grid.generation = nav_database_generation;
    return grid;
}

// The list from a source scanned record by record: the close lists (a few
// thousand records at most) and any list around a centre the grid cannot
// place. A slot whose position the wide builder noted is tested by the note
// (the wide lists are written only by their builders); any other record by
// its own position.
template <std::size_t SourceSlots, std::size_t ListSlots>
void scan_into_list(const NavTable<SourceSlots>& source, const CachedPoints& points,
                    NavTable<ListSlots>& list, int limit, const SearchCircle& circle, NavFields fields) {
    const bool gridded_centre = gridded_position(circle.latitude, circle.longitude);
    int n = 0;
    int next = 1;
    if (gridded_centre && !points.empty()) {
        // First every noted slot, without a branch on its outcome (one that
        // would be mispredicted for about every other record near the rim):
        // the slots inside or near the rim, or off the grid, are picked.
        const int noted = std::min(source.count(), static_cast<int>(points.size()) - 1);
        const std::size_t slots = static_cast<std::size_t>(noted) + 1;
        slot_dots.resize(slots);
        const double cx = circle.centre.x, cy = circle.centre.y, cz = circle.centre.z;
        const double* xs = points.x.data();
        const double* ys = points.y.data();
        const double* zs = points.z.data();
        double* dots = slot_dots.data();
        for (std::size_t i = 1; i < slots; ++i)
            dots[i] = cx * xs[i] + cy * ys[i] + cz * zs[i];
        picked_slots.resize(slots);
        std::size_t picked = 0;
        const uint8_t* gridded = points.gridded.data();
        for (std::size_t i = 1; i < slots; ++i) {
            picked_slots[picked] = static_cast<int>(i);
            picked += (dots[i] >= circle.reject_cos) | (gridded[i] == 0);
        }
        for (std::size_t k = 0; k < picked && n < limit; ++k) {
            const auto i = static_cast<std::size_t>(picked_slots[k]);
            const double lat = points.latitude[i], lon = points.longitude[i];
            bool inside;
            if (gridded[i] == 0)
                inside = circle_contains_by_distance(circle, lat, lon);
            else if (dots[i] >= circle.accept_cos)
                inside = true;
            else
                inside = dots[i] >= circle.reject_cos && circle_contains_by_distance(circle, lat, lon);
            if (!inside) continue;
            list.append_from(source, static_cast<int>(i), fields);
            ++n;
        }
        next = noted + 1;
    }
    for (int i = next; i <= source.count() && n < limit; ++i) {
        const NavEntry& r = source.entry(i);
        const bool inside =
            gridded_centre && gridded_position(r.latitude, r.longitude)
                ? circle_contains(circle, unit_vector(r.latitude, r.longitude), r.latitude, r.longitude)
                : circle_contains_by_distance(circle, r.latitude, r.longitude);
        if (!inside) continue;
        list.append_from(source, i, fields);
        ++n;
    }
}

template <std::size_t SourceSlots, std::size_t ListSlots>
void build_wide_list(const NavTable<SourceSlots>& source, PositionGrid& grid, NavTable<ListSlots>& list,
                     CachedPoints& points, ListCentre& centre, double latitude, double longitude,
                     NavFields fields) {
    list.clear();
    points.clear();
    const SearchCircle circle = make_search_circle(latitude, longitude, kWideRadius);
    if (gridded_position(latitude, longitude)) {
        found_records.clear();
        find_in_circle(grid_over(source, grid), circle, found_records);
        points.push_back(0.0, 0.0, UnitVector{}); // slot 0
        int n = 0;
        for (const FoundRecord& f : found_records) {
            if (n >= kWideLimit) break;
            const NavEntry& r = source.entry(f.record);
            list.append_from(source, f.record, fields);
            ++n;
            points.push_back(r.latitude, r.longitude, f.point);
        }
    } else {
        scan_into_list(source, points, list, kWideLimit, circle, fields);
    }
    centre = {latitude, longitude};
}

template <std::size_t SourceSlots, std::size_t ListSlots>
void build_close_list(const NavTable<SourceSlots>& source, const CachedPoints& points,
                      NavTable<ListSlots>& list, int limit, double radius, ListCentre& centre,
                      double latitude, double longitude, NavFields fields) {
    list.clear();
    scan_into_list(source, points, list, limit, make_search_circle(latitude, longitude, radius), fields);
    centre = {latitude, longitude};
}

} // namespace

void build_near_airports(double latitude, double longitude) {
    build_wide_list(airport_table, airport_grid, near_airports, near_airports_points, near_airports_centre,
                    latitude, longitude, NavFields::ident);
}

void build_close_airports(double latitude, double longitude) {
    build_close_list(near_airports, near_airports_points, close_airports, 1000, 180.0, close_airports_centre,
                     latitude, longitude, NavFields::ident);
}

void build_near_navaids(double latitude, double longitude) {
    build_wide_list(navaid_table, navaid_grid, near_navaids, near_navaids_points, near_navaids_centre,
                    latitude, longitude, NavFields::ident_kind_extra);
}

void build_local_navaids(double latitude, double longitude) {
    build_close_list(near_navaids, near_navaids_points, local_navaids, 1000, 320.0, local_navaids_centre,
                     latitude, longitude, NavFields::ident_kind_extra);
}

void build_near_airway_fixes(double latitude, double longitude) {
    build_wide_list(airway_fix_table, airway_fix_grid, near_airway_fixes, near_airway_fixes_points,
                    near_airway_fixes_centre, latitude, longitude, NavFields::ident_kind_extra);
}

void build_local_airway_fixes(double latitude, double longitude) {
    build_close_list(near_airway_fixes, near_airway_fixes_points, local_airway_fixes, local_airway_fix_limit,
                     200.0, local_airway_fixes_centre, latitude, longitude, NavFields::ident_kind_extra);
}
