// Storage of the guidance values that the SERVER gauge registers as module
// variables; publish_server_variables fills them on every working pass.
#pragma once

#include <cstdint>

inline int32_t orvex_act_wpt_pos = 0; // TO index, 0 while no route is active
inline double orvex_act_wpt_dist = 0.0;
inline int32_t orvex_fpln_wpt_cnt = -1; // active_plan_last: -1 while there is no plan
inline int32_t orvex_xtk_err_dir = 0;
inline double orvex_xtk_err_dist = 0.0;
inline int32_t orvex_lnav_mode = 0;
inline int32_t orvex_vnav_mode = 0;
inline double orvex_act_wpt_trk = 0.0;
inline double orvex_act_wpt_brg = 0.0;
inline int32_t orvex_active = 1;
