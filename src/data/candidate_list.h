// The waypoint candidate list: the records that an entered ident or a lookup
// found, used from 1 (at most 250). Setting an airport makes it the only entry.
#pragma once

#include "data/nav_record.h"
#include "platform/bounded_table.h"

inline BoundedTable<NavListRecord, 251> candidate_list;
