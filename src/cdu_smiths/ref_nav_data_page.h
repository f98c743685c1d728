// REF NAV DATA (page 28): an identifier looked up by kind (fix, navaid,
// airport) and the data of the one taken; a runway of the airport. The key
// actions live apart from the drawing.
#pragma once

// The key of this pass on the sub-page shown (ref_nav_kind: 2 fix, 3 navaid,
// 4 airport, else the entry sub-page).
void ref_nav_data_act(int shown_kind);
