#include "fms/procedures/sid_file.h"

#include "data/airport_procedures.h"
#include "data/config_line.h"
#include "fms/procedures/procedure_expansion.h"
#include "fms/procedures/procedure_file.h"
#include "platform/text_file.h"

namespace {

constexpr std::size_t kSidTokens = 8;

// A "/UA" leg's runway text names a runway when it is its designator, or when
// both begin with the same two characters and the text is a "both" ("27B")
// or a longer list.
bool runway_matches(const std::string& designator, const std::string& text) {
    if (designator == text) return true;
    if (designator.size() < 2 || text.size() < 2 || designator.compare(0, 2, text, 0, 2) != 0) return false;
    return (text.size() >= 3 && text[2] == 'B') || text.size() >= 5;
}

void mark_junction(ProcedureLeg& leg) {
    leg.transition = leg.fix;
    leg.marker = "*";
}

class SidLoader {
  public:
    explicit SidLoader(AirportProcedures& slot) : slot_(slot) {}

    void line(LineTokens& t) {
        t[7] = to_upper_ascii(t[7]);
        t[8] = to_upper_ascii(t[8]);
        if (is_procedure_header(t)) {
            header(t);
            return;
        }
        if (is_leg_line(t)) leg(t);
    }

    // A procedure none of whose legs names a transition ends at its junction.
    void close_out() {
        if (current_ < 1 || current_ > slot_.sids.count()) return;
        BoundedTable<ProcedureLeg, 401>& legs = slot_.sids.slot(current_).legs;
        const int n = legs.count();
        if (n == 0) return;
        for (int i = 1; i <= n; ++i)
            if (!legs[i].transition.empty()) return;
        mark_junction(legs.slot(n));
    }

    void end_of_file() {
        for (int i = 1; i <= slot_.sids.count(); ++i) {
            BoundedTable<ProcedureLeg, 401>& legs = slot_.sids.slot(i).legs;
            const int n = legs.count();
            if (n > 0 && legs[n].transition.empty()) mark_junction(legs.slot(n));
        }
    }

  private:
    void use_runway(int r) {
        if (r == 0) return;
        ref_lat_ = slot_.runways[r].latitude;
        ref_lon_ = slot_.runways[r].longitude;
        runway_heading_ = slot_.runways[r].magnetic_heading;
    }

    void header(const LineTokens& t) {
        if (slot_.sids.append(procedure_from_header(t)) == 0) return;
        use_runway(find_runway_exact(slot_, t[4]));
    }

    void leg(LineTokens& t) {
        previous_runway_text_ = runway_text_;
        std::string transition;
        const std::string t1 = t[1];
        const std::size_t dot = t1.find('.');
        const bool has_dot = dot != std::string::npos && dot > 0;
        const std::string name = has_dot ? t1.substr(0, dot) : t1;

        int found = 0;
        for (int i = 1; i <= slot_.sids.count() && found == 0; ++i)
            if (slot_.sids[i].name == name) found = i;
        if (found != 0) {
            current_ = found;
            if (has_dot) transition = t1.substr(dot + 1);
        }

        // "RW27 /H270/UA ...": the runway fix comes first and gives the
        // reference position at the line's end.
        if (begins_with(t[3], "/")) {
            if (begins_with(t[2], "RW") && (t[2].size() == 4 || t[2].size() == 5)) {
                ref_lat_ = parse_double(t[6]);
                ref_lon_ = parse_double(t[7]);
            }
            for (std::size_t k = 2; k < kSidTokens; ++k)
                t[k] = t[k + 1];
            t[kSidTokens] = "";
        }

        if (found == 0) {
            ProcedureRecord record;
            record.name = name;
            const int index = slot_.sids.append(std::move(record));
            if (index == 0) {
                current_ = 0; // the table is full: the line is dropped
                return;
            }
            current_ = index;
            slot_.sids.slot(index).legs.append(ProcedureLeg{});
            if (has_dot) transition = t1.substr(dot + 1);
        } else {
            BoundedTable<ProcedureLeg, 401>& legs = slot_.sids.slot(current_).legs;
            if (legs.append(ProcedureLeg{}) == 0) return; // 400 legs: the line is dropped
            runway_text_ = t[4];
            if (legs.count() == 1) {
                if (runway_text_.size() > 4) runway_text_.resize(3);
                use_runway(find_runway_exact(slot_, runway_text_));
            }
        }

        ProcedureRecord& record = slot_.sids.slot(current_);
        BoundedTable<ProcedureLeg, 401>& legs = record.legs;
        const int n = legs.count();
        const ProcedureLeg previous = n > 1 ? legs[n - 1] : ProcedureLeg{};

        if (begins_with(t[2], "/")) {
            const std::string code = t[2];
            int altitude = -1;
            if (contains_after_first(code, "/UA")) {
                altitude = parse_int(t[3]);
                runway_text_ = t[4];
                if (n > 1 && runway_text_ == previous_runway_text_) {
                    ref_lat_ = previous.latitude;
                    ref_lon_ = previous.longitude;
                } else {
                    std::string text = runway_text_;
                    if (text.empty() || text == "---") {
                        text = record.runway;
                        const std::size_t comma = text.find(',');
                        if (comma != std::string::npos && comma >= 2) text.resize(comma);
                    }
                    for (int r = 1; r <= slot_.runways.count(); ++r)
                        if (runway_matches(slot_.runways[r].designator, text)) {
                            use_runway(r);
                            break;
                        }
                }
            } else if (contains_after_first(code, "/VT")) {
                legs.set_count(n - 1); // vectors: no position to fly to
                return;
            } else if (parse_double(t[5]) == 0.0 && n > 1) {
                ref_lat_ = previous.latitude;
                ref_lon_ = previous.longitude;
            }

            double lat = 0.0, lon = 0.0;
            coded_leg_reference(t, ref_lat_, ref_lon_, lat, lon);
            if (expand_sid_legs(code, ref_lat_, ref_lon_, &lat, &lon, current_, transition, "", altitude,
                                runway_heading_) == -99) {
                legs.set_count(n - 1);
                return;
            }
            ProcedureLeg& leg = legs.slot(n);
            leg.fix = coded_leg_label(code);
            leg.latitude = lat;
            leg.longitude = lon;
        } else {
            ProcedureLeg& leg = legs.slot(n);
            leg.fix = t[2];
            leg.latitude = parse_double(t[5]);
            leg.longitude = parse_double(t[6]);
        }

        ProcedureLeg& leg = legs.slot(n);
        ref_lat_ = leg.latitude;
        ref_lon_ = leg.longitude;
        fill_leg_from_line(leg, t, transition);

        // The first transition leg makes the leg before it the junction.
        if (!transition.empty() && n > 1 && legs[n - 1].transition.empty()) mark_junction(legs.slot(n - 1));
    }

    AirportProcedures& slot_;
    double ref_lat_ = 0.0;
    double ref_lon_ = 0.0;
    double runway_heading_ = 0.0;
    int current_ = 0;
    std::string runway_text_;
    std::string previous_runway_text_;
};

} // namespace

void load_sids(const std::string& airport) {
    AirportProcedures& slot = airport_slots[origin_slot];
    slot.sids.clear();
    slot.star_entry_list.clear();
    SidLoader loader(slot);
    ProcedureFileHandlers handlers;
    handlers.opened = [] { origin_magnetic_variation = slot_magnetic_variation(airport_slots[origin_slot]); };
    handlers.leg_line = [&loader](LineTokens& t) { loader.line(t); };
    handlers.close_out = [&loader] { loader.close_out(); };
    handlers.finished = [&loader] { loader.end_of_file(); };
    read_procedure_files("sids.txt", "sids_user.txt", airport, kSidTokens, handlers);
}
