// SID and STAR choices applied to the working plan: the SID's legs right
// after the origin, the STAR's right before the destination (or before an
// approach already in the plan), a fix met twice at a join kept once, the
// route rows rebuilt and the route state stepped. Legs past the plan's last
// index (200) are refused.
#pragma once

// Raised by the departure and arrival pages; cleared after an insertion.
inline int sid_edit_pending = 0;
inline int star_edit_pending = 0;

// Applies the SID selection: unless keep is non-zero, sel_sid := entry n
// (1..count) of the SID name list (any other n applies nothing); then the
// transition names, selected index, runway list and preview are rebuilt and
// inserted. build_sid_legs serves the C-17 pages, build_sid_legs_b the SMITHS
// pages; they do the same.
void build_sid_legs(int n, int keep);
void build_sid_legs_b(int n, int keep);

// The STAR twins; build_star_legs_b also selects the arrival runway when
// exactly one runway suits the STAR and none is selected.
void build_star_legs(int n, int keep);
void build_star_legs_b(int n, int keep);

// The working plan's STAR legs again, for the arrival runway an approach
// chose: a STAR's legs for one runway (its runway leg to the approach) are
// in the preview only once the runway is known. Nothing without a STAR.
void fit_star_to_arrival_runway();

// Replaces the working plan's SID legs by the SID preview.
void insert_sid_legs();
// Replaces the working plan's STAR legs by the STAR preview.
void insert_star_appr_legs();

// The same two on the active plan, which the GNS unit edits without EXEC:
// the TO waypoint, the constraint index and the holds' active indexes follow.
void insert_sid_legs_active();
void insert_star_legs_active();
