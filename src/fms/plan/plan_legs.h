// Legs measured along a plan. An entry that is not flown (is_unflown) is no
// place: its position reads 0N 0E, no distance runs to it, and a leg into
// the entry after it is measured from the place before it.
#pragma once

#include "fms/plan/route_plan.h"

// The text pages show and files write for a marker kind; empty for the
// others.
inline const char* marker_text(EntryKind k) {
    switch (k) {
    case EntryKind::Gap:
    case EntryKind::PlacedGap:
        return "DISCO";
    case EntryKind::AirwayThen:
        return "THEN";
    case EntryKind::EndMark:
        return "******";
    case EntryKind::Placeholder:
        return "---";
    default:
        return "";
    }
}

// The marker a text read from a file names; Place for any other text.
inline EntryKind marker_of_text(const std::string& ident) {
    for (EntryKind k : {EntryKind::Gap, EntryKind::AirwayThen, EntryKind::EndMark, EntryKind::Placeholder})
        if (ident == marker_text(k)) return k;
    return EntryKind::Place;
}

// Entry w becomes a marker of kind k, with its text; its other fields stay.
void make_marker(RouteWaypoint& w, EntryKind k);

// The kind stored with the entry (make_marker); a marker whose text an edit
// has written over with a fix's is that fix. A fix's name is never read as a
// marker: only a route file line maps a text to its kind (marker_of_text).
inline EntryKind entry_kind(const RouteWaypoint& w) {
    if (w.ident.empty()) return EntryKind::DestinationToEnter;
    const EntryKind k = w.ident == marker_text(w.marker) ? w.marker : EntryKind::Place;
    if (k == EntryKind::Gap && (w.lat != 0.0 || w.lon != 0.0)) return EntryKind::PlacedGap;
    return k;
}

// A marker entry as the plan edits place and remove them (a discontinuity,
// placed or not, or a THEN entry). Readers ask is_unflown instead.
inline bool is_route_marker(const RouteWaypoint& w) {
    const EntryKind k = entry_kind(w);
    return k == EntryKind::Gap || k == EntryKind::PlacedGap || k == EntryKind::AirwayThen;
}

// The one test of whether the aircraft flies to an entry. Nothing is flown
// to a gap without a position, a THEN entry, a destination still to be
// entered (its position reads 0N 0E), an end mark or a placeholder; a
// discontinuity that carries the next fix's position is flown to that
// position, like a waypoint.
inline bool is_unflown(const RouteWaypoint& w) {
    const EntryKind k = entry_kind(w);
    return k != EntryKind::Place && k != EntryKind::PlacedGap;
}

// A place of its own: the walks stop here. A discontinuity that carries a
// position is flown but stands on the fix after it.
inline bool is_place(const RouteWaypoint& w) {
    return entry_kind(w) == EntryKind::Place;
}

// The nearest entry before i that is a place; -1 when none is.
int previous_place(const RoutePlan& plan, int i);
// The first entry from i on, up to `last`, that is a place; -1 when none is.
int next_place(const RoutePlan& plan, int i, int last);

// The entry flown for a TO at entry i: i when it is flown to, else the place
// after it or, at the end, the one before it (never the origin); i when
// neither is.
int flown_place(const RoutePlan& plan, int i, int last);

// Entry i when it is a place, else the place before it (i when none is):
// the point a walk along the plan stands on at entry i.
int place_at_or_before(const RoutePlan& plan, int i);

// Length (NM) and true course of the leg into entry i from the place before
// it; 0 for an entry not flown and for an entry with no place before it.
double leg_into_nm(const RoutePlan& plan, int i, double* course = nullptr);
