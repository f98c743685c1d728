// ATC boundary polygons from "\orvex\navdata\atc_bdry.txt", read once for the
// boundary map layer.
#pragma once

#include "platform/bounded_table.h"

#include <string>
#include <utility>

struct BoundaryPoint {
    double latitude = 0.0;  // degrees, north positive
    double longitude = 0.0; // degrees, east positive
};

struct AtcBoundary {
    std::string boundary_name;   // first token of its lines
    std::string boundary_name2;  // second token of its first line
    int point_count = 0;         // points 1..point_count
    double label_latitude = 0.0; // where the name is drawn
    double label_longitude = 0.0;
    BoundedTable<BoundaryPoint, 801> points;
};

// The boundaries' table, which also counts its writes: the map layer keeps
// what it derives from the boundaries until the table is written again.
class AtcBoundaryTable : private BoundedTable<AtcBoundary, 401> {
    using Table = BoundedTable<AtcBoundary, 401>;

  public:
    using Table::count;
    using Table::empty;
    using Table::full;
    using Table::slots;
    using Table::stored;
    using Table::operator[];

    AtcBoundaryTable() = default;
    AtcBoundaryTable(const AtcBoundaryTable&) = delete;
    AtcBoundaryTable& operator=(const AtcBoundaryTable&) = delete;

    int append(AtcBoundary record) {
        ++revision_;
        return Table::append(std::move(record));
    }
    void set_count(int n) {
        ++revision_;
        Table::set_count(n);
    }
    AtcBoundary& slot(int i) {
        ++revision_;
        return Table::slot(i);
    }
    void clear() {
        ++revision_;
        Table::clear();
    }

    // Changes with every access that may write; a write through a reference
    // that slot() gave before the last read of it is not counted.
    unsigned long long revision() const { return revision_; }

  private:
    unsigned long long revision_ = 1;
};

// Boundaries 1..count(), at most 400.
extern AtcBoundaryTable atc_boundaries;
extern int atc_boundaries_loaded;

// Reads the boundary file: a line whose first token differs (ignoring case)
// from the previous line's opens the next boundary, and each following line
// of the same name adds a point. Boundaries past the 400th and points past a
// boundary's 800th are dropped. A missing file leaves no boundaries; the
// loaded flag is set either way.
void load_atc_boundaries();
