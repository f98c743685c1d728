// Guards the bundled example's navigation database against edits that break
// the file formats or the cross-references between the files.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <set>

#include "examples/example_files.h"

using namespace example;

namespace {

// Magnetic variation the example's runway headings and procedure courses use
// (true = magnetic + variation); the region's WMM-2005 values lie in this band.
constexpr double kVariationMin = 15.0;
constexpr double kVariationMax = 21.0;

double wrap360(double a) {
    a = std::fmod(a, 360.0);
    return a < 0 ? a + 360.0 : a;
}

// Smallest angle between two directions, degrees.
double angle_between(double a, double b) {
    double d = wrap360(a - b);
    return d > 180.0 ? 360.0 - d : d;
}

// The first decimal of a frequency (111.95 gives 9): even for VORs, odd for
// localizers below 112 MHz.
int tenths(double mhz) {
    return int(std::floor(mhz * 10.0 + 1e-6)) % 10;
}

// "ddd.dd" and within [low, high].
bool frequency_mhz(const std::string& text, double low, double high, double& value) {
    if (text.size() != 6 || text[3] != '.') return false;
    return to_number(text, value) && value >= low - 1e-9 && value <= high + 1e-9;
}

std::vector<std::vector<std::string>> data_rows(const std::string& file) {
    std::vector<std::vector<std::string>> rows;
    for (const Line& line : read_file(file).lines)
        if (!is_comment(line.text) && !tokens(line.text).empty()) rows.push_back(tokens(line.text));
    return rows;
}

} // namespace

TEST(ExampleData, FilesArePlainTextWithinTheLoadersLineLimits) {
    // Each file against the smallest line buffer of the loaders that read it.
    const std::pair<const char*, std::size_t> files[] = {
        {"orvex.cfg", 298},
        {"Aircraft/B738.cfg", 199},
        {"Aircraft/B738_perf.txt", 1499},
        {"Aircraft/B738_parking.txt", 299},
        {"navdata/navs.txt", 199}, // the AIRAC reader's 200-byte buffer
        {"navdata/ints.txt", 1698},
        {"navdata/awys.txt", 199}, // the airway loader's 200-byte buffer
        {"navdata/apts.txt", 1498},
        {"navdata/orvex_apts.txt", 1698},
        {"navdata/sids.txt", 499},
        {"navdata/stars.txt", 499},
        {"navdata/apps.txt", 499},
        {"navdata/atc_bdry.txt", 148},
        {"navdata/apt_additional_info.txt", 198},
        {"flightplans/KSEAKPDX.RTE", 148},
        {"flightplans/KPDXKSEA.RTE", 148},
        {"flightplans/KSEAKYKM.PLN", 998},
    };
    for (const auto& [name, limit] : files) {
        FileText file = read_file(name);
        ASSERT_TRUE(file.opened) << name;
        EXPECT_FALSE(file.lines.empty()) << name;
        EXPECT_FALSE(file.mixed_endings) << name;
        for (const Line& line : file.lines) {
            EXPECT_LE(line.text.size(), limit) << name << ":" << line.number;
            for (unsigned char c : line.text)
                EXPECT_TRUE(c >= 0x20 && c < 0x7F) << name << ":" << line.number << " byte " << int(c);
        }
    }
}

TEST(ExampleData, NavaidFileCarriesTheAiracLineAndSortedNavaids) {
    FileText file = read_file("navdata/navs.txt");
    ASSERT_TRUE(file.opened);
    ASSERT_FALSE(file.lines.empty());

    // The first line names the cycle; the period text is built from fixed
    // character positions of its fifth and seventh tokens.
    auto t = tokens(file.lines[0].text);
    ASSERT_EQ(t.size(), 7u);
    EXPECT_EQ(t[0], ";AIRAC");
    EXPECT_EQ("AIRAC " + t[3], "AIRAC 0501");
    ASSERT_GE(t[4].size(), 7u);
    ASSERT_GE(t[6].size(), 11u);
    std::string period = t[4].substr(4, 3) + t[4].substr(1, 2) + t[6].substr(3, 3) + t[6].substr(0, 2) + "/" +
                         t[6].substr(9, 2);
    EXPECT_EQ(period, "JAN20FEB16/05");

    std::set<std::string> idents;
    std::set<char> finished_letters;
    char letter = 0;
    int vors = 0, ndbs = 0;
    for (const Line& line : file.lines) {
        if (is_comment(line.text)) continue;
        auto f = tokens(line.text);
        ASSERT_EQ(f.size(), 6u) << "navs.txt:" << line.number;
        const std::string& ident = f[0];
        EXPECT_TRUE(is_upper_word(ident, 2, 3)) << ident;
        EXPECT_TRUE(idents.insert(ident).second) << "duplicate navaid " << ident;
        // One run per first letter: the letter index finds only the first run.
        if (ident[0] != letter) {
            if (letter) finished_letters.insert(letter);
            EXPECT_EQ(finished_letters.count(ident[0]), 0u) << ident << " starts a second run";
            letter = ident[0];
        }
        double lat = 0, lon = 0, mhz = 0;
        ASSERT_TRUE(to_number(f[2], lat) && to_number(f[3], lon)) << ident;
        EXPECT_TRUE(in_region(lat, lon)) << ident;
        if (f[4] == "VOR") {
            ++vors;
            EXPECT_TRUE(frequency_mhz(f[5], 108.0, 117.95, mhz)) << ident << " " << f[5];
            // Below 112 MHz the even tenths are VORs, the odd ones localizers.
            if (mhz < 112.0) {
                EXPECT_EQ(tenths(mhz) % 2, 0) << ident;
            }
        } else {
            ++ndbs;
            EXPECT_EQ(f[4], "NDB") << ident;
            ASSERT_TRUE(is_integer(f[5])) << ident;
            int khz = std::atoi(f[5].c_str());
            EXPECT_TRUE(khz >= 190 && khz <= 1750) << ident;
        }
    }
    EXPECT_GE(vors + ndbs, 15);
    EXPECT_GE(vors, 10);
    EXPECT_GE(ndbs, 2);
}

TEST(ExampleData, IntersectionsAreUniqueFiveLetterFixesInTheRegion) {
    const NavDb& db = navdb();
    std::set<std::string> seen;
    for (const auto& f : data_rows("navdata/ints.txt")) {
        ASSERT_EQ(f.size(), 4u);
        EXPECT_TRUE(is_upper_word(f[0], 5, 5)) << f[0];
        EXPECT_EQ(f[1], f[0]);
        EXPECT_TRUE(seen.insert(f[0]).second) << "duplicate " << f[0];
        EXPECT_EQ(db.navaids.count(f[0]), 0u) << f[0] << " is also a navaid";
        double lat = 0, lon = 0;
        ASSERT_TRUE(to_number(f[2], lat) && to_number(f[3], lon)) << f[0];
        EXPECT_TRUE(in_region(lat, lon)) << f[0];
    }
    EXPECT_GE(seen.size(), 60u);
}

TEST(ExampleData, AirwaysAreContiguousChainsOfKnownFixes) {
    const NavDb& db = navdb();
    std::set<std::string> finished;
    std::string airway;
    std::set<std::string> fixes_on_airway;
    int sequence = 0;
    Position previous;
    for (const auto& f : data_rows("navdata/awys.txt")) {
        ASSERT_EQ(f.size(), 5u);
        if (f[0] != airway) {
            if (!airway.empty()) {
                EXPECT_GE(sequence, 2) << airway;
                finished.insert(airway);
            }
            // The airway loader stops at the first line of another airway.
            EXPECT_EQ(finished.count(f[0]), 0u) << f[0] << " is split in two runs";
            airway = f[0];
            sequence = 0;
            fixes_on_airway.clear();
        }
        EXPECT_EQ(std::atoi(f[1].c_str()), ++sequence) << airway;
        EXPECT_TRUE(fixes_on_airway.insert(f[2]).second) << f[2] << " twice on " << airway;
        Position pos, at;
        ASSERT_TRUE(to_number(f[3], pos.lat) && to_number(f[4], pos.lon));
        ASSERT_TRUE(db.fix(f[2], at)) << f[2] << " on " << airway << " is in no table";
        EXPECT_LT(distance_nm(pos.lat, pos.lon, at.lat, at.lon), 0.01) << f[2] << " on " << airway;
        // Fixes shorter than four characters do not enter the airway-fix table;
        // they must be navaids so that the map still has them.
        if (f[2].size() < 4) {
            EXPECT_EQ(db.navaids.count(f[2]), 1u) << f[2];
        }
        if (sequence > 1) {
            EXPECT_LT(distance_nm(previous.lat, previous.lon, pos.lat, pos.lon), 150.0) << f[2];
        }
        previous = pos;
    }
    finished.insert(airway);
    EXPECT_GE(finished.size(), 6u);
}

TEST(ExampleData, AirportRunwaysArePairedAndGeometricallyConsistent) {
    auto rows = data_rows("navdata/apts.txt");
    EXPECT_GE(rows.size(), 4u);
    std::set<std::string> idents;
    for (const auto& f : rows) {
        ASSERT_GE(f.size(), 6u) << f[0] << " has no runway";
        const std::string& ident = f[0];
        EXPECT_TRUE(is_upper_word(ident, 4, 4)) << ident;
        EXPECT_TRUE(idents.insert(ident).second) << "duplicate " << ident;
        for (char c : f[1])
            EXPECT_FALSE(c >= 'a' && c <= 'z') << ident << " name";
        EXPECT_TRUE(is_integer(f[2])) << ident;
        int elevation = std::atoi(f[2].c_str());
        EXPECT_TRUE(elevation > -100 && elevation < 15000) << ident;
        Position apt;
        ASSERT_TRUE(to_number(f[3], apt.lat) && to_number(f[4], apt.lon)) << ident;
        EXPECT_TRUE(in_region(apt.lat, apt.lon)) << ident;
        EXPECT_LE(f.size() - 5, 20u) << ident << " has more runway tokens than a line holds";

        std::vector<Runway> runways;
        for (std::size_t i = 5; i < f.size(); ++i) {
            auto s = split(f[i], '_');
            ASSERT_EQ(s.size(), 8u) << ident << " " << f[i];
            for (const auto& part : s)
                EXPECT_FALSE(part.empty()) << ident << " " << f[i];
            Runway r;
            r.designator = s[0];
            const std::string& d = r.designator;
            ASSERT_TRUE(d.size() >= 2 && d.size() <= 3 && is_integer(d.substr(0, 2))) << ident << " " << d;
            int number = std::atoi(d.substr(0, 2).c_str());
            EXPECT_TRUE(number >= 1 && number <= 36) << ident << " " << d;
            if (d.size() == 3) {
                EXPECT_NE(std::string("LCR").find(d[2]), std::string::npos) << ident << " " << d;
            }
            ASSERT_TRUE(is_integer(s[1])) << ident << " " << d;
            r.length_ft = std::atoi(s[1].c_str());
            EXPECT_TRUE(r.length_ft >= 1500 && r.length_ft <= 16000) << ident << " " << d;
            ASSERT_TRUE(to_number(s[2], r.threshold.lat) && to_number(s[3], r.threshold.lon))
                << ident << " " << d;
            EXPECT_LT(distance_nm(apt.lat, apt.lon, r.threshold.lat, r.threshold.lon), 3.0)
                << ident << " " << d;
            ASSERT_TRUE(to_number(s[4], r.heading)) << ident << " " << d;
            EXPECT_TRUE(r.heading >= 0.0 && r.heading < 360.0) << ident << " " << d;
            EXPECT_LE(angle_between(r.heading, number * 10.0), 10.0) << ident << " " << d;
            ASSERT_TRUE(to_number(s[7], r.course)) << ident << " " << d;
            double mhz = 0;
            if (s[5] == "000.00") {
                // No localizer: the course 0 makes the runway list use the heading.
                EXPECT_EQ(s[6], "---") << ident << " " << d;
                EXPECT_EQ(r.course, 0.0) << ident << " " << d;
            } else {
                EXPECT_TRUE(frequency_mhz(s[5], 108.1, 111.95, mhz)) << ident << " " << d;
                EXPECT_EQ(tenths(mhz) % 2, 1) << ident << " " << d << " is no localizer frequency";
                EXPECT_TRUE(s[6] == "ILS" || s[6] == "LOC") << ident << " " << d;
                EXPECT_LE(angle_between(r.course, r.heading), 5.0) << ident << " " << d;
            }
            for (const Runway& other : runways)
                EXPECT_NE(other.designator, d) << ident << " twice";
            runways.push_back(r);
        }
        // Every runway end has its opposite end: same length, reciprocal heading,
        // thresholds a runway length apart on the true course.
        for (const Runway& r : runways) {
            int number = std::atoi(r.designator.substr(0, 2).c_str());
            int opposite_number = (number + 18 - 1) % 36 + 1;
            char buffer[4];
            std::snprintf(buffer, sizeof buffer, "%02d", opposite_number);
            std::string opposite = buffer;
            if (r.designator.size() == 3) {
                char side = r.designator[2];
                opposite += side == 'L' ? 'R' : side == 'R' ? 'L' : 'C';
            }
            const Runway* o = nullptr;
            for (const Runway& x : runways)
                if (x.designator == opposite) o = &x;
            ASSERT_NE(o, nullptr) << ident << " " << r.designator << " has no " << opposite;
            EXPECT_EQ(o->length_ft, r.length_ft) << ident << " " << r.designator;
            EXPECT_NEAR(angle_between(o->heading, r.heading), 180.0, 0.01) << ident << " " << r.designator;
            double nm = distance_nm(r.threshold.lat, r.threshold.lon, o->threshold.lat, o->threshold.lon);
            EXPECT_NEAR(nm * 6076.12, r.length_ft, r.length_ft * 0.01) << ident << " " << r.designator;
            double variation = wrap360(
                course_deg(r.threshold.lat, r.threshold.lon, o->threshold.lat, o->threshold.lon) - r.heading);
            EXPECT_TRUE(variation >= kVariationMin && variation <= kVariationMax)
                << ident << " " << r.designator << " variation " << variation;
        }
    }
    EXPECT_EQ(navdb().airports.size(), idents.size());
}

TEST(ExampleData, RunwayReferenceFileMatchesTheAirportFile) {
    const NavDb& db = navdb();
    auto rows = data_rows("navdata/orvex_apts.txt");
    EXPECT_EQ(rows.size(), db.airports.size());
    auto apts = data_rows("navdata/apts.txt");
    for (const auto& f : rows) {
        auto a = db.airports.find(f[0]);
        ASSERT_NE(a, db.airports.end()) << f[0];
        ASSERT_GE(f.size(), 6u) << f[0];
        EXPECT_LE(f.size(), 25u) << f[0];
        // Tokens 2 to 5 repeat the airport line.
        for (const auto& apt : apts) {
            if (apt[0] != f[0]) continue;
            for (int i = 1; i <= 4; ++i) {
                EXPECT_EQ(f[i], apt[i]) << f[0];
            }
        }
        EXPECT_EQ(f.size() - 5, a->second.runways.size()) << f[0];
        for (std::size_t i = 5; i < f.size(); ++i) {
            // designator_length_width: the lookup returns the second sub-field,
            // which the reference page reads as a length in feet.
            auto s = split(f[i], '_');
            ASSERT_EQ(s.size(), 3u) << f[0] << " " << f[i];
            const Runway* r = a->second.runway(s[0]);
            ASSERT_NE(r, nullptr) << f[0] << " " << s[0];
            EXPECT_EQ(s[1], std::to_string(r->length_ft)) << f[0] << " " << s[0];
            EXPECT_TRUE(is_integer(s[2])) << f[0] << " " << s[0];
        }
    }
}

TEST(ExampleData, AtcBoundariesAreClosedPolygonsInTheRegion) {
    struct Boundary {
        std::string name2;
        std::vector<Position> points;
    };
    std::vector<std::pair<std::string, Boundary>> boundaries;
    for (const auto& f : data_rows("navdata/atc_bdry.txt")) {
        ASSERT_EQ(f.size(), 4u);
        Position p;
        ASSERT_TRUE(to_number(f[2], p.lat) && to_number(f[3], p.lon)) << f[0];
        EXPECT_TRUE(in_region(p.lat, p.lon)) << f[0];
        std::string upper = f[0];
        for (char& c : upper)
            c = char(std::toupper(static_cast<unsigned char>(c)));
        if (boundaries.empty() || boundaries.back().first != upper) {
            // The loader compares names without case and opens a boundary at
            // every change, so a name must not come back later.
            for (const auto& b : boundaries)
                EXPECT_NE(b.first, upper) << f[0] << " is split";
            boundaries.push_back({upper, {f[1], {}}}); // the opening line is no point
            continue;
        }
        EXPECT_EQ(f[1], boundaries.back().second.name2) << f[0];
        boundaries.back().second.points.push_back(p);
    }
    EXPECT_GE(boundaries.size(), 2u);
    EXPECT_LE(boundaries.size(), 400u);
    for (const auto& [name, b] : boundaries) {
        ASSERT_GE(b.points.size(), 4u) << name;
        EXPECT_LE(b.points.size(), 800u) << name;
        EXPECT_EQ(b.points.front().lat, b.points.back().lat) << name << " is not closed";
        EXPECT_EQ(b.points.front().lon, b.points.back().lon) << name << " is not closed";
    }
}

TEST(ExampleData, AirportInformationNamesKnownAirportsAndRunways) {
    const NavDb& db = navdb();
    std::vector<std::string> sections;
    std::set<std::string> right_pattern_designators;
    bool tower_keys = false;
    for (const Line& line : read_file("navdata/apt_additional_info.txt").lines) {
        if (is_comment(line.text) || line.text.empty()) continue;
        if (line.text[0] == '[') {
            ASSERT_EQ(line.text.back(), ']') << line.number;
            std::string ident = line.text.substr(1, line.text.size() - 2);
            EXPECT_EQ(db.airports.count(ident), 1u) << ident;
            for (const auto& s : sections)
                EXPECT_NE(s, ident) << ident << " twice";
            // The tower-view reader takes keys up to the end of the file, so
            // only the last section may set them.
            EXPECT_FALSE(tower_keys) << "a section follows the tower-view keys";
            sections.push_back(ident);
            continue;
        }
        ASSERT_FALSE(sections.empty()) << "key before the first section, line " << line.number;
        auto kv = split(line.text, '=');
        ASSERT_EQ(kv.size(), 2u) << line.number;
        EXPECT_EQ(tokens(line.text).size(), 1u) << "blank in line " << line.number;
        const Airport& apt = db.airports.at(sections.back());
        if (kv[0].rfind("RWY", 0) == 0) {
            std::string designator = kv[0].substr(3);
            EXPECT_NE(apt.runway(designator), nullptr) << sections.back() << " " << designator;
            EXPECT_EQ(kv[1], "RIGHTPATTERN");
            // The runway-list reader may read on into the next section: keep
            // every designator to one section.
            EXPECT_TRUE(right_pattern_designators.insert(designator).second) << designator;
        } else {
            double value = 0;
            ASSERT_TRUE(to_number(kv[1], value)) << line.number;
            if (kv[0] == "TowerViewLat") {
                EXPECT_NEAR(value, apt.pos.lat, 0.05);
            } else if (kv[0] == "TowerViewLon") {
                EXPECT_NEAR(value, apt.pos.lon, 0.05);
            } else {
                EXPECT_EQ(kv[0], "TowerViewAlt");
            }
            tower_keys = true;
        }
    }
    EXPECT_GE(sections.size(), 2u);
}
