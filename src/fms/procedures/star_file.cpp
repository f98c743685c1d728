#include "fms/procedures/star_file.h"

#include "data/airport_procedures.h"
#include "data/config_line.h"
#include "fms/math/nav_math.h"
#include "fms/procedures/procedure_expansion.h"
#include "fms/procedures/procedure_file.h"
#include "platform/text_file.h"

namespace {

constexpr std::size_t kStarTokens = 7;

using Legs = BoundedTable<ProcedureLeg, 401>;

// The magnetic course flown into leg n - 1 of the STAR, which a turn at the
// start of leg n turns from; 0 when leg n - 1 is the STAR's first.
double inbound_course(const Legs& legs, int n) {
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

void add_entry(AirportProcedures& slot, const std::string& text) {
    for (int i = 1; i <= slot.star_entry_list.count(); ++i)
        if (slot.star_entry_list[i].text == text) return;
    slot.star_entry_list.append(StarEntry{text, 0});
}

class StarLoader {
  public:
    explicit StarLoader(AirportProcedures& slot) : slot_(slot) {}

    void line(LineTokens& t) {
        t[7] = to_upper_ascii(t[7]);
        if (is_procedure_header(t)) {
            slot_.stars.append(procedure_from_header(t));
            return;
        }
        if (!is_leg_line(t)) return;
        if (contains_after_first(t[3], "/VT")) return;
        if (begins_with(t[3], "/")) {
            for (std::size_t k = 2; k < kStarTokens; ++k)
                t[k] = t[k + 1];
            t[kStarTokens] = "";
        }
        // Vectors have no position to fly to, wherever the code stands.
        if (begins_with(t[2], "/") && contains_after_first(t[2], "/VT")) return;
        leg(t);
    }

    // An intercept whose fix never came can not be flown.
    void finish_file() {
        drop_pending();
        rebuild_transition_list();
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

    void drop_pending() {
        if (pending_.star == 0) return;
        Legs& legs = slot_.stars.slot(pending_.star).legs;
        if (legs.count() == pending_.leg) legs.set_count(pending_.leg - 1);
        pending_ = PendingIntercept{};
    }

    // The line after an intercept gives the fix whose radial it intercepts.
    void complete_pending(double fix_lat, double fix_lon) {
        Legs& legs = slot_.stars.slot(pending_.star).legs;
        if (legs.count() != pending_.leg) {
            pending_ = PendingIntercept{};
            return;
        }
        double lat = fix_lat, lon = fix_lon;
        if (expand_star_legs(pending_.code, pending_.start_lat, pending_.start_lon, &lat, &lon, pending_.star,
                             pending_.transition, "", pending_.inbound) == -99) {
            legs.set_count(pending_.leg - 1);
        } else {
            legs.slot(pending_.leg).latitude = lat;
            legs.slot(pending_.leg).longitude = lon;
        }
        pending_ = PendingIntercept{};
    }

    void leg(const LineTokens& t) {
        const std::string& t1 = t[1];
        const std::size_t dot = t1.find('.');
        const bool has_dot = dot != std::string::npos && dot > 0;
        const std::string name = has_dot ? t1.substr(dot + 1) : t1;
        std::string transition = has_dot ? t1.substr(0, dot) : std::string();

        int found = 0;
        for (int i = 1; i <= slot_.stars.count() && found == 0; ++i)
            if (slot_.stars[i].name == name) found = i;

        if (pending_.star != 0) {
            if (found == pending_.star) {
                double lat = parse_double(t[5]), lon = parse_double(t[6]);
                const Legs& legs = slot_.stars[pending_.star].legs;
                if (!position_usable(lat)) {
                    lat = legs[pending_.leg].latitude;
                    lon = legs[pending_.leg].longitude;
                }
                complete_pending(lat, lon);
            } else {
                drop_pending();
            }
        }

        bool first_leg = false;
        if (found != 0) {
            if (slot_.stars.slot(found).legs.append(ProcedureLeg{}) == 0) return; // 400 legs
            current_ = found;
        } else {
            ProcedureRecord record;
            record.name = name;
            const int index = slot_.stars.append(std::move(record));
            if (index == 0) return; // 90 STARs
            current_ = index;
            slot_.stars.slot(index).legs.append(ProcedureLeg{});
            first_leg = true;
        }

        Legs& legs = slot_.stars.slot(current_).legs;
        const int n = legs.count();
        const std::string& code = t[2];
        bool junction = false;

        if (begins_with(code, "/") && n > 1) {
            const ProcedureLeg previous = legs[n - 1];
            double lat = 0.0, lon = 0.0;
            coded_leg_reference(t, previous.latitude, previous.longitude, lat, lon);
            if (contains_after_first(code, "/IC")) {
                pending_ = PendingIntercept{current_,
                                            n,
                                            code,
                                            transition,
                                            previous.latitude,
                                            previous.longitude,
                                            inbound_course(legs, n)};
            } else if (expand_star_legs(code, previous.latitude, previous.longitude, &lat, &lon, current_,
                                        transition, "", inbound_course(legs, n)) == -99) {
                legs.set_count(n - 1);
                return;
            }
            ProcedureLeg& leg = legs.slot(n);
            leg.fix = coded_leg_label(code);
            leg.latitude = lat;
            leg.longitude = lon;
        } else {
            ProcedureLeg& leg = legs.slot(n);
            leg.fix = code;
            leg.latitude = parse_double(t[5]);
            leg.longitude = parse_double(t[6]);
            // A STAR met first without a transition begins its common part here.
            if (first_leg && !has_dot) {
                transition = code;
                junction = true;
            }
        }

        ProcedureLeg& leg = legs.slot(n);
        fill_leg_from_line(leg, t, transition);
        if (junction) leg.marker = "*";

        if (!leg.transition.empty()) {
            add_entry(slot_, leg.transition);
        } else if (slot_.star_entry_list.empty() ||
                   (n > 1 && !legs[n - 1].transition.empty() && legs[n - 1].marker != "*")) {
            // The first common leg after the transitions: where they join.
            add_entry(slot_, leg.fix);
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
                if (!listed) list.append(text);
            }
        }
    }

    AirportProcedures& slot_;
    int current_ = 0;
    PendingIntercept pending_;
};

} // namespace

void load_stars(const std::string& airport) {
    AirportProcedures& slot = airport_slots[destination_slot];
    slot.stars.clear();
    slot.star_entry_list.clear();
    slot.star_transition_list.clear();
    StarLoader loader(slot);
    ProcedureFileHandlers handlers;
    handlers.opened = [] {
        destination_magnetic_variation = slot_magnetic_variation(airport_slots[destination_slot]);
    };
    handlers.leg_line = [&loader](LineTokens& t) { loader.line(t); };
    handlers.finished = [&loader] { loader.finish_file(); };
    read_procedure_files("stars.txt", "stars_user.txt", airport, kStarTokens, handlers);
}
