// The legs a procedure choice flies, read straight from the example data's
// sids.txt, stars.txt and apps.txt by this table's own rules, so that the
// checkers compare the plan with the files and never with the module's own
// reading of them:
// - a SID or STAR leg of a transition is flown only with that transition;
// - a leg restricted to runways is flown only for one of them, so with no
//   runway chosen only the unrestricted legs remain;
// - an approach's IAF leg belongs to its own fix's transition unless its
//   line names another; an approach is flown from the chosen transition's
//   legs on, up to its missed-approach point;
// - a coded leg is named by its code: /H162/UA is HD162, /T162/UD5.0 TR162;
//   vectors (/VT) are no leg.
#pragma once

#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace procedure_table {

struct Leg {
    std::string transition; // empty: the common part
    std::string fix, runways;
    std::string role; // approaches: IAF, FAF, MAP, MAF or ---
};

struct Procedure {
    std::string name, runway; // runway: an approach's own
    std::vector<Leg> legs;
};

struct Airport {
    std::vector<Procedure> sids, stars, approaches;
};

inline std::string coded_name(std::string code) {
    if (code.empty() || code[0] != '/') return code;
    code.erase(0, 1);
    if (code.rfind("RT/", 0) == 0 || code.rfind("LT/", 0) == 0) code.erase(0, 3);
    if (code.empty()) return code;
    const char* prefix = code[0] == 'T' ? "TR" : code[0] == 'H' ? "HD" : code[0] == 'C' ? "CR" : nullptr;
    return prefix ? prefix + code.substr(1, 3) : code;
}

inline Procedure& named(std::vector<Procedure>& list, const std::string& name) {
    for (Procedure& p : list)
        if (p.name == name) return p;
    list.push_back({name, "", {}});
    return list.back();
}

// Calls `record(airport, words)` for each line of a procedure file: comments
// and blank lines skipped, "[ICAO]" lines naming the airport of those after.
template <typename Record> void for_each_record(const std::string& file, Record record) {
    std::ifstream in(file);
    std::string airport;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == ';') continue;
        if (line[0] == '[') {
            airport = line.substr(1, line.find(']') - 1);
            continue;
        }
        std::istringstream words(line);
        std::vector<std::string> t;
        for (std::string w; words >> w;)
            t.push_back(w);
        record(airport, t);
    }
}

// sids.txt: NAME[.TRANSITION] FIX ALTITUDE RUNWAYS LAT LON; stars.txt has
// TRANSITION.NAME. A runway fix may stand before a code ("RW34R /H342/UA").
inline void read_procedures(const std::string& file, bool sid, std::map<std::string, Airport>& out) {
    for_each_record(file, [&](const std::string& airport, std::vector<std::string> t) {
        if (t.size() < 6 || t[0] == "T") return;
        if (t.size() > 2 && t[2][0] == '/' && t[1][0] != '/') t.erase(t.begin() + 1);
        if (t[1].find("/VT", 1) != std::string::npos) return;
        const std::size_t dot = t[0].find('.');
        std::string name = t[0], transition;
        if (dot != std::string::npos) {
            name = sid ? t[0].substr(0, dot) : t[0].substr(dot + 1);
            transition = sid ? t[0].substr(dot + 1) : t[0].substr(0, dot);
        }
        Airport& a = out[airport];
        named(sid ? a.sids : a.stars, name).legs.push_back({transition, coded_name(t[1]), t[3], ""});
    });
}

// apps.txt: RUNWAY NAME FIX ROLE ALTITUDE LAT LON TRANSITION ...
inline void read_approaches(const std::string& file, std::map<std::string, Airport>& out) {
    for_each_record(file, [&](const std::string& airport, const std::vector<std::string>& t) {
        if (t.size() < 8) return;
        const std::string& named_transition = t[7];
        const bool names = named_transition[0] != '-';
        std::string transition;
        if (t[3] == "IAF")
            transition = names ? named_transition : t[2];
        else if (t[3] == "---")
            transition = names ? named_transition : "";
        Procedure& p = named(out[airport].approaches, t[1]);
        p.runway = t[0];
        p.legs.push_back({transition, coded_name(t[2]), t[0], t[3]});
    });
}

inline const std::map<std::string, Airport>& airports() {
    static const std::map<std::string, Airport> table = [] {
        std::map<std::string, Airport> out;
        const std::string dir = std::string(ORVEX_SOURCE_DIR) + "/examples/sim/orvex/navdata/";
        read_procedures(dir + "sids.txt", true, out);
        read_procedures(dir + "stars.txt", false, out);
        read_approaches(dir + "apps.txt", out);
        return out;
    }();
    return table;
}

inline bool none(const std::string& choice) {
    return choice.empty() || choice == "------";
}

inline const Procedure* find(const std::string& airport, const std::vector<Procedure> Airport::*list,
                             const std::string& name) {
    const auto a = airports().find(airport);
    if (a == airports().end() || none(name)) return nullptr;
    for (const Procedure& p : a->second.*list)
        if (p.name == name) return &p;
    return nullptr;
}

// The fixes of a SID or STAR for a runway and transition.
inline std::vector<std::string> route_legs(const Procedure* p, const std::string& runway,
                                           const std::string& transition) {
    std::vector<std::string> out;
    if (p == nullptr) return out;
    for (const Leg& leg : p->legs) {
        if (!leg.transition.empty() && leg.transition != transition) continue;
        const bool restricted = !leg.runways.empty() && leg.runways != "---";
        if (restricted &&
            (none(runway) || ("," + leg.runways + ",").find("," + runway + ",") == std::string::npos))
            continue;
        out.push_back(leg.fix);
    }
    return out;
}

inline std::vector<std::string> sid_legs(const std::string& airport, const std::string& sid,
                                         const std::string& runway, const std::string& transition) {
    return route_legs(find(airport, &Airport::sids, sid), runway, transition);
}

inline std::vector<std::string> star_legs(const std::string& airport, const std::string& star,
                                          const std::string& runway, const std::string& transition) {
    return route_legs(find(airport, &Airport::stars, star), runway, transition);
}

// An approach up to its missed-approach point: the chosen transition's legs
// and those of none.
inline std::vector<std::string> approach_legs(const std::string& airport, const std::string& approach,
                                              const std::string& transition) {
    std::vector<std::string> out;
    const Procedure* p = find(airport, &Airport::approaches, approach);
    if (p == nullptr) return out;
    for (const Leg& leg : p->legs) {
        if (leg.role == "MAP") break;
        if (leg.transition.empty() || leg.transition == transition) out.push_back(leg.fix);
    }
    return out;
}

inline std::string approach_runway(const std::string& airport, const std::string& approach) {
    const Procedure* p = find(airport, &Airport::approaches, approach);
    return p ? p->runway : std::string();
}

} // namespace procedure_table
