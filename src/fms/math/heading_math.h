// Heading differences and turn directions. Headings are degrees 0..360;
// differences are truncated toward zero.
#pragma once

// The unsigned difference of two headings, folded into 0..180.
int heading_difference(double a, double b);

// The difference and the direction of the shorter way from a to b:
// 1 = the heading decreases, 2 = it increases (equal headings give 2).
// Returns the direction and writes both outputs.
int heading_difference_dir(double a, double b, int* direction, int* difference);

// The shorter turn from a to b, numbered the other way round:
// kDirectionRight = the heading increases, kDirectionLeft = it decreases.
// The same codes give the side of a cross-track error and a hold's turn.
inline constexpr int kDirectionRight = 1;
inline constexpr int kDirectionLeft = 2;
int turn_direction(double a, double b);

// The whole-degree heading for the heading bug when the command is `command`
// and `sent` is on the bug now (outside 0..360: nothing sent): the command
// truncated, but `sent` stays while the command rounds to it (north either
// side), so a command hovering at a whole degree does not flip the bug
// between two values.
int heading_bug_value(double command, int sent);

// An angle folded into (-180, 180]: how far b lies clockwise of a is
// fold_degrees_180(b - a), whatever side of north either lies.
double fold_degrees_180(double degrees);
// An angle folded into (0, 360]: a bearing readout (north reads 360).
double fold_degrees_360(double degrees);
// The magnetic form of a direction read as true, in [0.5, 360.5) for a
// direction within one turn.
double magnetic_direction(double true_deg, double magvar);
// TO when the bearing to the station lies within 90 degrees of the course,
// else FROM; both in degrees, either side of north.
bool bearing_is_to(double bearing, double course);
