#include "fms/procedures/sid_file.h"

#include "data/airport_procedures.h"
#include "data/config_line.h"
#include "data/reader_checks.h"
#include "fms/procedures/procedure_expansion.h"
#include "fms/procedures/procedure_file.h"
#include "fms/procedures/procedure_leg_reader.h"
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

class SidLegs final : public ProcedureLegReader<SidTable> {
  public:
    explicit SidLegs(AirportProcedures& slot)
        : ProcedureLegReader(slot.sids, LegFileRules{.name_first = true, .coded_first_leg = true}, "SID",
                             "SIDs"),
          slot_(slot) {}

    // A procedure none of whose legs names a transition ends at its junction.
    void close_out() {
        if (current_ < 1 || current_ > procedures_.count()) return;
        ProcedureLegs& legs = procedures_.slot(current_).legs;
        const int n = legs.count();
        if (n == 0) return;
        for (int i = 1; i <= n; ++i)
            if (!legs[i].transition.empty()) return;
        mark_junction(legs.slot(n));
    }

    void end_of_file(FileLineCheck& check) {
        omissions_.finish(procedures_, check);
        for (int i = 1; i <= procedures_.count(); ++i) {
            ProcedureLegs& legs = procedures_.slot(i).legs;
            const int n = legs.count();
            if (n > 0 && legs[n].transition.empty()) mark_junction(legs.slot(n));
        }
        tell_long_choices(slot_, check);
    }

  private:
    void use_runway(int r) {
        if (r == 0) return;
        ref_lat_ = slot_.runways[r].latitude;
        ref_lon_ = slot_.runways[r].longitude;
        runway_heading_ = slot_.runways[r].magnetic_heading;
    }

    void header_added(int, const LineTokens& t) override { use_runway(find_runway_exact(slot_, t[4])); }

    // "RW27 /H270/UA ...": the runway fix gives the reference position at the
    // line's end.
    bool leg_line_begins(const LineTokens& t) override {
        previous_runway_text_ = runway_text_;
        if (begins_with(t[3], "/") && begins_with(t[2], "RW") && (t[2].size() == 4 || t[2].size() == 5) &&
            position_tokens_on_globe(t[6], t[7])) {
            ref_lat_ = parse_double(t[6]);
            ref_lon_ = parse_double(t[7]);
        }
        return true;
    }

    void leg_added_to_found(ProcedureLegs& legs, const LineTokens& t) override {
        runway_text_ = t[4];
        if (legs.count() == 1) {
            if (runway_text_.size() > 4) runway_text_.resize(3);
            use_runway(find_runway_exact(slot_, runway_text_));
        }
    }

    bool coded_leg(int index, ProcedureLegs& legs, int n, const LineTokens& t, const std::string& transition,
                   double& lat, double& lon) override {
        const ProcedureLeg previous = n > 1 ? legs[n - 1] : ProcedureLeg{};
        const std::string& code = t[2];
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
                    text = procedures_[index].runway;
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
            return false; // vectors: no position to fly to
        } else if (parse_double(t[5]) == 0.0 && n > 1) {
            ref_lat_ = previous.latitude;
            ref_lon_ = previous.longitude;
        }
        coded_leg_reference(t, ref_lat_, ref_lon_, lat, lon);
        return expand_sid_legs(code, ref_lat_, ref_lon_, &lat, &lon, index, transition, "", altitude,
                               runway_heading_) != -99;
    }

    void leg_done(ProcedureLegs& legs, int n, bool) override {
        ref_lat_ = legs[n].latitude;
        ref_lon_ = legs[n].longitude;
        // The first transition leg makes the leg before it the junction.
        if (!legs[n].transition.empty() && n > 1 && legs[n - 1].transition.empty())
            mark_junction(legs.slot(n - 1));
    }

    AirportProcedures& slot_;
    double ref_lat_ = 0.0;
    double ref_lon_ = 0.0;
    double runway_heading_ = 0.0;
    std::string runway_text_;
    std::string previous_runway_text_;
};

} // namespace

void load_sids(const std::string& airport) {
    AirportProcedures& slot = airport_slots[origin_slot];
    slot.sids.clear();
    slot.star_entry_list.clear();
    SidLegs loader(slot);
    ProcedureFileHandlers handlers;
    handlers.opened = [] { origin_magnetic_variation = slot_magnetic_variation(airport_slots[origin_slot]); };
    handlers.leg_line = [&loader](LineTokens& t, FileLineCheck& check) { return loader.line(t, check); };
    handlers.close_out = [&loader] { loader.close_out(); };
    handlers.finished = [&loader](FileLineCheck& check) { loader.end_of_file(check); };
    read_procedure_files("sids.txt", "sids_user.txt", airport, kSidTokens, handlers);
}
