#include "data/atc_boundaries.h"

#include "data/config_line.h"
#include "data/load_warnings.h"
#include "data/reader_checks.h"
#include "platform/os.h"
#include "platform/text_file.h"
#include "sim/host_folder.h"

#include <cstdio>
#include <vector>

AtcBoundaryTable atc_boundaries;
int atc_boundaries_loaded = 0;

namespace {

constexpr std::size_t kMaxBoundaryLine = 148;
// 400 boundaries of 800 points, each with its naming line, and as many again.
constexpr int kMaxBoundaryLines = 2 * 400 * 801;

// The extent of one boundary's points, started inside out so that the first
// point sets it.
struct Extent {
    double north = -100.0;
    double south = 100.0;
    double east = -190.0;
    double west = 200.0;

    void widen(double latitude, double longitude) {
        if (latitude > north) north = latitude;
        if (latitude < south) south = latitude;
        if (longitude > east) east = longitude;
        if (longitude < west) west = longitude;
    }
};

// The label goes to the middle of the extent. A boundary with points on both
// sides of 0 degrees either spans the prime meridian (its middle is right)
// or wraps across the antimeridian, which the extent cannot tell apart from a
// box round the world: such a boundary is labelled at -179.9. One without
// points is labelled at (0, 179.9).
void place_label(AtcBoundary& b, const Extent& e) {
    b.label_latitude = e.north - (e.north - e.south) / 2.0;
    if (e.east > 0.0 && e.west < 0.0 && e.east - e.west > 180.0)
        b.label_longitude = -179.9;
    else if (e.east < 0.0 && e.west > 0.0)
        b.label_longitude = 179.9;
    else
        b.label_longitude = e.east - (e.east - e.west) / 2.0;
}

// A line names its boundary and gives a position: two names and two numbers,
// each token whole. A longitude east of the antimeridian written from 0 to
// 360 is the meridian the map projects it on.
bool boundary_point(const std::vector<std::string>& t, BoundaryPoint& p) {
    if (t.size() < 4 || !parse_whole_number(t[2], p.latitude) || !parse_whole_number(t[3], p.longitude))
        return false;
    p.longitude = wrapped_longitude(p.longitude);
    return true;
}

} // namespace

void load_atc_boundaries() {
    atc_boundaries.clear();
    const std::string path = host_folder + "\\orvex\\navdata\\atc_bdry.txt";
    std::FILE* file = os::open_file(path, "r");
    if (!file) record_if_not_regular(path);
    if (file) {
        FileLineCheck check{path};
        LineReader reader(file, kMaxBoundaryLine, kMaxBoundaryLines);
        std::string previous_name;
        bool open = false;              // a boundary has been opened (kept or dropped)
        AtcBoundary* current = nullptr; // the kept boundary taking points
        Extent extent;
        int boundaries_left_out = 0, points_left_out = 0;
        std::string line;
        while (reader.next(line)) {
            check.line(line, reader.line_number());
            if (!line.empty() && line[0] == ';') continue;
            if (cut_within_fields(line, reader.last_line_cut(), 3, 4)) {
                check.skip(kFieldCut);
                continue;
            }
            const std::vector<std::string> t = scan_tokens(line, 4);
            if (t.empty()) continue;
            BoundaryPoint point{};
            bool usable = boundary_point(t, point);
            if (!usable) {
                check.skip("no position");
            } else if (!on_globe(point.latitude, point.longitude)) {
                check.skip(kOffGlobe);
                usable = false;
            } else {
                check.use();
            }
            const std::string& name = t[0];
            if (!open || !equals_ignoring_case(name, previous_name)) {
                if (current) place_label(*current, extent);
                current = nullptr;
                open = true;
                extent = Extent{};
                // Past the 400th boundary its lines are read and dropped.
                if (atc_boundaries.full()) {
                    ++boundaries_left_out;
                    previous_name = name;
                    continue;
                }
                current = &atc_boundaries.slot(atc_boundaries.count() + 1);
                atc_boundaries.set_count(atc_boundaries.count() + 1);
                current->boundary_name = name;
                current->boundary_name2 = t.size() > 1 ? t[1] : std::string();
                current->point_count = 0;
            } else if (current && usable && current->points.full()) {
                ++points_left_out;
            } else if (current && usable) {
                // A point line needs both coordinates as numbers (a point at
                // 0, 0 would draw a stray line); past 800 points, and for a
                // dropped boundary, points are read and dropped.
                current->point_count = current->points.append(point);
                extent.widen(point.latitude, point.longitude);
            }
            previous_name = name;
        }
        if (current) place_label(*current, extent);
        check.finish(reader);
        std::fclose(file);
        if (boundaries_left_out > 0)
            check.note(table_full_note(boundaries_left_out, "boundaries",
                                       static_cast<int>(decltype(atc_boundaries)::slots) - 1));
        if (points_left_out > 0)
            check.note(table_full_note(points_left_out, "points of a boundary",
                                       static_cast<int>(decltype(AtcBoundary::points)::slots) - 1));
        check.report("skipped");
    }
    atc_boundaries_loaded = 1;
}
