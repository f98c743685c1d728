// Callbacks of the small "ON" text elements ("Courier New") that the MD11 and
// B737 EFIS control panels define but no element list links: the simulator
// never draws them. Each returns the whole part of the element's first
// source value.
#pragma once

#include "sim/gauge_abi.h"

// Shown with the text "ON" while the HW_B737_ND airport, intersection or
// navaid filter is 1, hidden otherwise.
double ORVEX_FSAPI nd_airport_on_text(ElementHeader* element);
double ORVEX_FSAPI nd_intersection_on_text(ElementHeader* element);
double ORVEX_FSAPI nd_navaid_on_text(ElementHeader* element);

// The MD11 panel's first two: the value only, the text left as it is.
double ORVEX_FSAPI md11_text_value_left(ElementHeader* element);
double ORVEX_FSAPI md11_text_value_right(ElementHeader* element);

// The three unlinked text elements of each panel, at (184, 120), (129, 129)
// and (100, 120): the MD11's carry the two value callbacks and
// nd_navaid_on_text, the B737 twins' the airport, intersection and navaid
// callbacks.
extern ElementHeader md11_efis_text_elements[3];
extern ElementHeader hw_b737_efis_text_elements[3];
extern ElementHeader hw_b737_efis_br_text_elements[3];
