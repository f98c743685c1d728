// The active plan from the TO waypoint on, written as a flight plan in the
// simulator's XML form: host_folder + "\\Orvex\\Navdata\\tmpfplan.pln".
#pragma once

// Writes nothing when the active plan is empty or the file cannot be created.
void write_xml_flight_plan();
