#include "fms/procedures/star_file.h"

#include "data/airport_procedures.h"
#include "data/config_line.h"
#include "data/load_warnings.h"
#include "data/reader_checks.h"
#include "fms/math/nav_math.h"
#include "fms/procedures/procedure_expansion.h"
#include "fms/procedures/procedure_file.h"
#include "fms/procedures/procedure_leg_reader.h"
#include "platform/text_file.h"

#include <set>

namespace {

constexpr std::size_t kStarTokens = 7;

// The magnetic course flown into leg n - 1 of the STAR, which a turn at the
// start of leg n turns from; 0 when leg n - 1 is the STAR's first.
double inbound_course(const ProcedureLegs& legs, int n) {
    if (n < 3) return 0.0;
    double distance = 0.0, course = 0.0;
    gc_dist_course(legs[n - 2].latitude, legs[n - 2].longitude, legs[n - 1].latitude, legs[n - 1].longitude,
                   &distance, &course);
    course -= destination_magnetic_variation;
    if (course < 0.5)
        course += 360.0;
    else if (course >= 360.0)
        course -= 360.0;
    return course;
}

// False when the list is full.
bool add_entry(AirportProcedures& slot, const std::string& text) {
    for (int i = 1; i <= slot.star_entry_list.count(); ++i)
        if (slot.star_entry_list[i].text == text) return true;
    return slot.star_entry_list.append(StarEntry{text, 0}) != 0;
}

// Every entry names the transition of a leg; entries of STARs left out go.
void keep_entries_of_stars(AirportProcedures& slot) {
    BoundedTable<StarEntry, 121> kept;
    for (int i = 1; i <= slot.star_entry_list.count(); ++i) {
        const std::string& text = slot.star_entry_list[i].text;
        bool used = false;
        for (int s = 1; s <= slot.stars.count() && !used; ++s)
            for (int l = 1; l <= slot.stars[s].legs.count() && !used; ++l)
                used = slot.stars[s].legs[l].transition == text;
        if (used) kept.append(slot.star_entry_list[i]);
    }
    slot.star_entry_list = std::move(kept);
}

class StarLegs final : public ProcedureLegReader<StarTable> {
  public:
    explicit StarLegs(AirportProcedures& slot)
        : ProcedureLegReader(slot.stars, LegFileRules{.name_first = false, .coded_first_leg = false}, "STAR",
                             "STARs"),
          slot_(slot) {}

    // An intercept whose fix never came can not be flown.
    void finish_file(FileLineCheck& check) {
        drop_pending();
        if (omissions_.finish(procedures_, check) > 0) keep_entries_of_stars(slot_);
        rebuild_transition_list();
        tell_long_choices(slot_, check);
        const int entries = static_cast<int>(decltype(slot_.star_entry_list)::slots) - 1;
        const int transitions = static_cast<int>(decltype(slot_.star_transition_list)::slots) - 1;
        if (!entries_left_out_.empty())
            check.note(table_full_note(static_cast<int>(entries_left_out_.size()), "STAR entries", entries));
        if (transitions_left_out_ > 0)
            check.note(table_full_note(transitions_left_out_, "STAR transitions", transitions));
        entries_left_out_.clear();
        transitions_left_out_ = 0;
    }

  private:
    struct PendingIntercept {
        int star = 0; // 0: none
        int leg = 0;
        std::string code;
        std::string transition;
        double start_lat = 0.0;
        double start_lon = 0.0;
        double inbound = 0.0;
    };

    // Vectors have no position to fly to, wherever the code stands.
    bool leg_line_begins(const LineTokens& t) override {
        const std::string& code = begins_with(t[3], "/") ? t[3] : t[2];
        return !contains_after_first(t[3], "/VT") &&
               !(begins_with(code, "/") && contains_after_first(code, "/VT"));
    }

    void drop_pending() {
        if (pending_.star == 0) return;
        ProcedureLegs& legs = procedures_.slot(pending_.star).legs;
        if (legs.count() == pending_.leg) legs.set_count(pending_.leg - 1);
        pending_ = PendingIntercept{};
    }

    // The line after an intercept gives the fix whose radial it intercepts.
    void procedure_found(int found, const LineTokens& t) override {
        if (pending_.star == 0) return;
        if (found != pending_.star) {
            drop_pending();
            return;
        }
        ProcedureLegs& legs = procedures_.slot(pending_.star).legs;
        double lat = parse_double(t[5]), lon = parse_double(t[6]);
        if (!position_usable(lat)) {
            lat = legs[pending_.leg].latitude;
            lon = legs[pending_.leg].longitude;
        }
        if (legs.count() == pending_.leg) {
            if (expand_star_legs(pending_.code, pending_.start_lat, pending_.start_lon, &lat, &lon,
                                 pending_.star, pending_.transition, "", pending_.inbound) == -99) {
                legs.set_count(pending_.leg - 1);
            } else {
                legs.slot(pending_.leg).latitude = lat;
                legs.slot(pending_.leg).longitude = lon;
            }
        }
        pending_ = PendingIntercept{};
    }

    bool coded_leg(int index, ProcedureLegs& legs, int n, const LineTokens& t, const std::string& transition,
                   double& lat, double& lon) override {
        const ProcedureLeg previous = legs[n - 1];
        const std::string& code = t[2];
        coded_leg_reference(t, previous.latitude, previous.longitude, lat, lon);
        if (contains_after_first(code, "/IC")) {
            pending_ = PendingIntercept{
                index, n, code, transition, previous.latitude, previous.longitude, inbound_course(legs, n)};
            return true;
        }
        return expand_star_legs(code, previous.latitude, previous.longitude, &lat, &lon, index, transition,
                                "", inbound_course(legs, n)) != -99;
    }

    // Leg lines find their STAR by name, so a second record of the name
    // would stay without legs: a STAR listed that inserts nothing.
    bool header_named_again(const std::string& name, int first_line, FileLineCheck& check) override {
        check.value("STAR " + name + " named again by a header (first met at line " +
                    std::to_string(first_line) + "): not listed twice, its legs kept with the first");
        return true;
    }

    // A transition met before any header of its STAR: the STAR is made of its
    // lines, without the header's runways, so it serves every runway.
    void made_by_leg_line(const std::string& name, const std::string& transition,
                          FileLineCheck& check) override {
        if (!transition.empty())
            check.value("transition " + transition + " of STAR " + name +
                        ", which no header line names before it: kept, the STAR made of its lines serves "
                        "every runway");
    }

    void leg_done(ProcedureLegs& legs, int n, bool added) override {
        ProcedureLeg& leg = legs.slot(n);
        // A STAR met first without a transition begins its common part here.
        if (added && leg.transition.empty()) {
            leg.transition = leg.fix;
            leg.marker = "*";
        }
        if (!leg.transition.empty()) {
            if (!add_entry(slot_, leg.transition)) entries_left_out_.insert(leg.transition);
        } else if (slot_.star_entry_list.empty() ||
                   (n > 1 && !legs[n - 1].transition.empty() && legs[n - 1].marker != "*")) {
            // The first common leg after the transitions: where they join.
            if (!add_entry(slot_, leg.fix)) entries_left_out_.insert(leg.fix);
            leg.transition = leg.fix;
            leg.marker = "*";
        }
    }

    void rebuild_transition_list() {
        BoundedTable<std::string, 250>& list = slot_.star_transition_list;
        list.clear();
        for (int s = 1; s <= slot_.stars.count(); ++s) {
            const ProcedureRecord& star = slot_.stars[s];
            for (int l = 1; l <= star.legs.count(); ++l) {
                const std::string text = star.name + "." + star.legs[l].transition;
                bool listed = false;
                for (int i = 1; i <= list.count() && !listed; ++i)
                    listed = list[i] == text;
                if (!listed && list.append(text) == 0) ++transitions_left_out_;
            }
        }
    }

    AirportProcedures& slot_;
    PendingIntercept pending_;
    std::set<std::string> entries_left_out_; // texts the full entry list had no room for
    int transitions_left_out_ = 0;
};

} // namespace

void load_stars(const std::string& airport) {
    AirportProcedures& slot = airport_slots[destination_slot];
    slot.stars.clear();
    slot.star_entry_list.clear();
    slot.star_transition_list.clear();
    StarLegs loader(slot);
    ProcedureFileHandlers handlers;
    handlers.opened = [] {
        destination_magnetic_variation = slot_magnetic_variation(airport_slots[destination_slot]);
    };
    handlers.leg_line = [&loader](LineTokens& t, FileLineCheck& check) { return loader.line(t, check); };
    handlers.finished = [&loader](FileLineCheck& check) { loader.finish_file(check); };
    read_procedure_files("stars.txt", "stars_user.txt", airport, kStarTokens, handlers);
}
