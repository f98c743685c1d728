// The GNS scratchpad editor that every character key of the GNS types
// through.
#pragma once

#include <string>

// Width of the field: 10 characters on SAVE ACTIVE FPL, else 6.
int gns_field_width();

// Acts only while a field is open (gns_entry_active 1). Strips the field's
// padding; with pad_only set it only pads again. "*1" removes the last
// character; a fresh proposal, "******" or "------" is replaced by the key
// text; otherwise the text is appended while the field has room. The field is
// padded with blanks to its width.
void gns_scratchpad_add(const std::string& key_text, int pad_only);

// The scratchpad without its trailing blanks.
std::string gns_scratchpad_text();
