// Guards the example's SID, STAR and approach files: their sectioned line
// formats, and that every fix, runway and leg directive they use exists.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <set>

#include "examples/example_files.h"

using namespace example;

namespace {

struct Section {
    std::string airport;
    std::vector<std::vector<std::string>> rows; // non-comment, non-blank lines
    std::vector<int> line_numbers;
};

// Sections of a procedure file; '*' and ';' lines are comments.
std::vector<Section> sections_of(const std::string& file) {
    std::vector<Section> out;
    for (const Line& line : read_file(file).lines) {
        auto t = tokens(line.text);
        if (t.empty() || t[0][0] == ';' || t[0][0] == '*') continue;
        if (t[0][0] == '[') {
            EXPECT_EQ(t.size(), 1u) << file << ":" << line.number;
            EXPECT_EQ(t[0].back(), ']') << file << ":" << line.number;
            out.push_back({t[0].substr(1, t[0].size() - 2), {}, {}});
            continue;
        }
        if (out.empty()) {
            ADD_FAILURE() << file << ":" << line.number << " stands before the first section";
            continue;
        }
        out.back().rows.push_back(t);
        out.back().line_numbers.push_back(line.number);
    }
    return out;
}

// A leg directive: ["/RT" | "/LT"] "/" course-letter 3 digits "/" end field.
// The end field is UA (SIDs), VT, UD and a distance, or IC and a radial.
bool valid_directive(const std::string& code, const std::string& course_letters, bool allow_ua,
                     std::string& end) {
    std::string rest = code;
    if (rest.rfind("/RT/", 0) == 0 || rest.rfind("/LT/", 0) == 0) rest = rest.substr(3);
    if (rest.size() < 7 || rest[0] != '/' || course_letters.find(rest[1]) == std::string::npos) return false;
    std::string course = rest.substr(2, 3);
    if (!is_integer(course) || std::atoi(course.c_str()) < 1 || std::atoi(course.c_str()) > 360) return false;
    if (rest[5] != '/') return false;
    end = rest.substr(6);
    if (end == "VT") return true;
    if (end == "UA") return allow_ua;
    double value = 0;
    if (end.rfind("UD", 0) == 0) return to_number(end.substr(2), value) && value > 0.0 && value < 50.0;
    if (end.rfind("IC", 0) == 0) return end.size() == 5 && is_integer(end.substr(2));
    return false;
}

bool valid_altitude(const std::string& text) {
    if (text == "---") return true;
    if (text.rfind("FL", 0) == 0) return text.size() == 5 && is_integer(text.substr(2));
    return is_integer(text) && std::atoi(text.c_str()) >= 0 && std::atoi(text.c_str()) < 18000;
}

// "---" or a comma list of the airport's runways.
void expect_runway_list(const Airport& apt, const std::string& list, const std::string& where) {
    if (list == "---") return;
    for (const auto& d : split(list, ','))
        EXPECT_NE(apt.runway(d), nullptr) << where << ": runway " << d;
}

bool same_position(const Position& a, double lat, double lon) {
    return distance_nm(a.lat, a.lon, lat, lon) < 0.01;
}

bool is_navaid_position(double lat, double lon) {
    for (const auto& [ident, n] : navdb().navaids)
        if (same_position(n.pos, lat, lon)) return true;
    return false;
}

// Checks one SID or STAR leg line (tokens after the runway-fix shift) and
// returns whether it is a coded leg.
bool check_leg(const Airport& apt, std::vector<std::string> t, bool sid, const std::string& where) {
    // Runway-fix form: RWxx, then the directive; the position is the threshold.
    if (t.size() > 2 && t[2][0] == '/') {
        EXPECT_TRUE(sid) << where << ": runway-fix form in a STAR";
        EXPECT_EQ(t[1].rfind("RW", 0), 0u) << where;
        const Runway* r = apt.runway(t[1].substr(2));
        EXPECT_NE(r, nullptr) << where << ": " << t[1];
        if (r && t.size() >= 7) {
            double lat = 0, lon = 0;
            EXPECT_TRUE(to_number(t[5], lat) && to_number(t[6], lon)) << where;
            EXPECT_TRUE(same_position(r->threshold, lat, lon)) << where << ": not the threshold of " << t[1];
        }
        t.erase(t.begin() + 1);
    }
    EXPECT_TRUE(t.size() == 6 || (t.size() == 7 && t[6] == "FO")) << where << ": " << t.size() << " tokens";
    if (t.size() < 6) return false;
    EXPECT_TRUE(valid_altitude(t[2])) << where << ": altitude " << t[2];
    expect_runway_list(apt, t[3], where);
    double lat = 0, lon = 0;
    EXPECT_TRUE(to_number(t[4], lat) && to_number(t[5], lon)) << where;
    if (t[1][0] != '/') {
        Position pos;
        EXPECT_TRUE(navdb().fix(t[1], pos)) << where << ": unknown fix " << t[1];
        EXPECT_TRUE(same_position(pos, lat, lon))
            << where << ": " << t[1] << " position differs from the tables";
        return false;
    }
    std::string end;
    EXPECT_TRUE(valid_directive(t[1], "HTC", sid, end)) << where << ": " << t[1];
    if (end == "UA") {
        // The runway column names the runway the climb starts from; the climb
        // must be long enough for the leg expander to place its end.
        EXPECT_TRUE(is_integer(t[2])) << where;
        EXPECT_GT(std::atoi(t[2].c_str()), apt.elevation_ft + 100) << where;
        EXPECT_NE(t[3], "---") << where << ": a climb needs its runway";
    } else if (end.rfind("UD", 0) == 0 || end.rfind("IC", 0) == 0) {
        EXPECT_TRUE(is_navaid_position(lat, lon)) << where << ": the DME or radial station is no navaid";
    }
    return true;
}

void check_sid_star_file(const std::string& file, bool sid, std::size_t capacity) {
    const NavDb& db = navdb();
    auto sections = sections_of(file);
    EXPECT_GE(sections.size(), 2u) << file;
    std::set<std::string> airports;
    for (const Section& s : sections) {
        EXPECT_TRUE(airports.insert(s.airport).second) << file << ": " << s.airport << " twice";
        auto a = db.airports.find(s.airport);
        ASSERT_NE(a, db.airports.end()) << file << ": " << s.airport;
        const Airport& apt = a->second;
        std::map<std::string, int> legs;           // procedure -> leg count
        std::map<std::string, bool> in_transition; // SID: a transition leg was seen
        std::map<std::string, bool> in_common;     // STAR: a common leg was seen
        for (std::size_t i = 0; i < s.rows.size(); ++i) {
            const auto& t = s.rows[i];
            std::string where = file + ":" + std::to_string(s.line_numbers[i]);
            if (t[0] == "T") {
                ASSERT_EQ(t.size(), 4u) << where;
                EXPECT_EQ(legs.count(t[1]), 0u) << where << ": second header " << t[1];
                legs[t[1]] = 0;
                expect_runway_list(apt, t[2], where);
                EXPECT_NE(apt.runway(t[3]), nullptr) << where << ": runway " << t[3];
                EXPECT_NE(("," + t[2] + ",").find("," + t[3] + ","), std::string::npos) << where;
                continue;
            }
            // SID: name[.transition]; STAR: [transition.]name.
            std::size_t dot = t[0].find('.');
            std::string name = t[0], transition;
            if (dot != std::string::npos) {
                name = sid ? t[0].substr(0, dot) : t[0].substr(dot + 1);
                transition = sid ? t[0].substr(dot + 1) : t[0].substr(0, dot);
                EXPECT_FALSE(name.empty() || transition.empty()) << where;
            }
            ASSERT_EQ(legs.count(name), 1u) << where << ": no header for " << name;
            bool coded = check_leg(apt, t, sid, where);
            if (!sid && legs[name] == 0) {
                EXPECT_FALSE(coded) << where << ": a STAR cannot start with a coded leg";
            }
            ++legs[name];
            if (sid) {
                // The common part comes first, the transitions after the junction.
                if (transition.empty()) {
                    EXPECT_FALSE(in_transition[name]) << where << ": common leg after a transition";
                } else {
                    in_transition[name] = true;
                }
            } else {
                // Transitions first, then the common part from the junction on.
                if (!transition.empty()) {
                    EXPECT_FALSE(in_common[name]) << where << ": transition leg after the common part";
                } else {
                    in_common[name] = true;
                }
            }
        }
        EXPECT_GE(legs.size(), 2u) << file << ": " << s.airport;
        EXPECT_LE(legs.size(), capacity) << file << ": " << s.airport;
        for (const auto& [name, count] : legs) {
            EXPECT_GE(count, 2) << name;
            EXPECT_LE(count, 400) << name;
        }
    }
}

} // namespace

TEST(ExampleProcedures, SidFileReferencesKnownRunwaysAndFixes) {
    check_sid_star_file("navdata/sids.txt", true, 140);
}

TEST(ExampleProcedures, StarFileReferencesKnownRunwaysAndFixes) {
    check_sid_star_file("navdata/stars.txt", false, 90);
}

TEST(ExampleProcedures, ApproachesHaveTheirFixesInOrderAndKnown) {
    const NavDb& db = navdb();
    auto sections = sections_of("navdata/apps.txt");
    EXPECT_GE(sections.size(), 2u);
    const std::set<std::string> roles = {"IAF", "FAF", "MAF", "MAP", "---"};
    for (const Section& s : sections) {
        auto a = db.airports.find(s.airport);
        ASSERT_NE(a, db.airports.end()) << s.airport;
        const Airport& apt = a->second;
        struct Approach {
            int legs = 0, faf_leg = 0, map_leg = 0, faf_altitude = 0, map_altitude = 0;
            std::set<std::string> iafs;
        };
        std::map<std::string, Approach> approaches; // runway + " " + name
        std::set<std::string> names;
        for (std::size_t i = 0; i < s.rows.size(); ++i) {
            const auto& t = s.rows[i];
            std::string where = "apps.txt:" + std::to_string(s.line_numbers[i]);
            ASSERT_TRUE(t.size() == 10 || (t.size() == 11 && t[10] == "FO")) << where;
            ASSERT_NE(t[3][0], '/') << where << ": shifted form not expected";
            const Runway* rwy = apt.runway(t[0]);
            ASSERT_NE(rwy, nullptr) << where << ": runway " << t[0];
            names.insert(t[1]);
            Approach& app = approaches[t[0] + " " + t[1]];
            ++app.legs;
            EXPECT_EQ(roles.count(t[3]), 1u) << where << ": role " << t[3];
            ASSERT_TRUE(is_integer(t[4])) << where;
            int altitude = std::atoi(t[4].c_str());
            double lat = 0, lon = 0;
            ASSERT_TRUE(to_number(t[5], lat) && to_number(t[6], lon)) << where;
            if (t[2][0] == '/') {
                std::string end;
                EXPECT_TRUE(valid_directive(t[2], "HT", false, end)) << where << ": " << t[2];
                EXPECT_TRUE(end.rfind("UD", 0) == 0 || end.rfind("IC", 0) == 0) << where << ": " << t[2];
                EXPECT_TRUE(is_navaid_position(lat, lon))
                    << where << ": the DME or radial station is no navaid";
                EXPECT_GT(app.map_leg, 0) << where << ": coded legs belong to the missed approach";
            } else if (t[3] == "MAP") {
                EXPECT_EQ(t[2], "RW" + t[0]) << where;
                EXPECT_TRUE(same_position(rwy->threshold, lat, lon)) << where << ": not the threshold";
            } else {
                Position pos;
                EXPECT_TRUE(db.fix(t[2], pos)) << where << ": unknown fix " << t[2];
                EXPECT_TRUE(same_position(pos, lat, lon)) << where << ": " << t[2] << " position differs";
            }
            if (t[3] == "IAF") app.iafs.insert(t[2]);
            if (t[3] == "FAF") {
                EXPECT_EQ(app.faf_leg, 0) << where << ": second FAF";
                app.faf_leg = app.legs;
                app.faf_altitude = altitude;
            }
            if (t[3] == "MAP") {
                EXPECT_EQ(app.map_leg, 0) << where << ": second MAP";
                app.map_leg = app.legs;
                app.map_altitude = altitude;
            }
            // The transition column names an IAF given before it, or '-'.
            if (t[7] != "-") {
                EXPECT_EQ(app.iafs.count(t[7]), 1u) << where << ": transition " << t[7];
            }
            for (int k : {8, 9}) {
                ASSERT_TRUE(is_integer(t[k])) << where;
                int code = std::atoi(t[k].c_str());
                EXPECT_TRUE(code >= 32 && code < 127) << where << ": character code " << code;
            }
        }
        EXPECT_LE(approaches.size(), 140u);
        EXPECT_LE(names.size(), 20u);
        EXPECT_GE(approaches.size(), 2u) << s.airport;
        for (const auto& [key, app] : approaches) {
            EXPECT_FALSE(app.iafs.empty()) << key;
            EXPECT_GT(app.faf_leg, 0) << key;
            EXPECT_GT(app.map_leg, app.faf_leg) << key;
            EXPECT_LT(app.map_altitude, app.faf_altitude) << key;
            EXPECT_LE(app.legs, 400) << key;
        }
    }
}
