// The one reference and rotation of the C17_MFD map, which its route, its
// layers and its overlays all share: heading up about the aircraft in the
// map formats 3 to 5; north up about the chosen plan waypoint in the plan
// format 6.
#pragma once

#include "map/map_projection.h"

// The active-plan entry the plan format centres on: smiths_legs_map_step
// while a route is active and the step is an entry of the plan (0 .. last);
// -1 otherwise, when the plan centres on the aircraft.
int c17_plan_centre_index();

// The map of the current C17_MFD format at ppn design units per NM.
MapView c17_map_view(double ppn);

// The direction the FIX INFO radials are measured from: the aircraft heading
// on the heading-up formats, north on the plan.
double c17_radial_reference();
