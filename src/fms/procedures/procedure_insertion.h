// SID and STAR choices applied to the working plan: its departure or
// arrival built anew from its choices, the route rows rebuilt and the route
// state stepped. Legs past the plan's last index (200) are refused.
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

// The working plan's departure and arrival built anew from its choices
// (fms/procedures/plan_parts.h), the arrival with a discontinuity in front
// of an approach that does not join what comes before it.
void insert_sid_legs();
void insert_star_appr_legs();
