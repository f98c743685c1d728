// The pages of the SMITHS_FMS unit (their numbers are in fms/units/cdu_text.h):
// the routines that act on the pending key and that draw them (both once per
// draw, from the render pass), and the hand-over to the SELECT WAYPOINT page.
#pragma once

#include "fms/units/cdu_text.h"

struct DisplayObject;
namespace gfx {
class Graphics;
}

// What a page that sends the pilot to SELECT WAYPOINT leaves for it: the plan
// position to insert at (RTE: the row; RTE LEGS: the working index, 0 on the
// direct-to and HOLD AT paths) and the page to return to.
inline int smiths_select_plan_index = 0;
inline int smiths_select_return_page = 0;
// The candidate that a "HOLD AT " entry of the RTE LEGS page inserts; 0
// until one is known (the pilot still has to pick among several).
inline int hold_at_candidate = 0;
// SELECT WAYPOINT's sub-page (kept between visits) and sub-page count.
inline int smiths_select_subpage = 1;
inline int smiths_select_subpage_count = 1;
// NAV STATUS (1) or NAV OPTIONS (2), kept between visits.
inline int smiths_nav_status_subpage = 1;

// Each page has two routines, run one after the other on every draw of the
// unit: its key pass (smiths_page_<name>_keys) consumes the pending
// line-select key and the one-frame flags and is the only part of the page
// that changes a plan, the route state or the page's own values; its drawing
// (smiths_page_<name>) only reads them, so it shows the state the keys left.
using SmithsPageKeys = void (*)();
using SmithsPageRoutine = void (*)(const DisplayObject& display, gfx::Graphics& graphics);

void smiths_page_stored_fpls_keys();
void smiths_page_stored_fpls(const DisplayObject& display, gfx::Graphics& graphics);
void smiths_page_rte_legs_keys();
void smiths_page_rte_legs(const DisplayObject& display, gfx::Graphics& graphics);
void smiths_page_rte_keys();
void smiths_page_rte(const DisplayObject& display, gfx::Graphics& graphics);
void smiths_page_init_ref_index_keys();
void smiths_page_init_ref_index(const DisplayObject& display, gfx::Graphics& graphics);
void smiths_page_dep_arr_index_keys();
void smiths_page_dep_arr_index(const DisplayObject& display, gfx::Graphics& graphics);
void smiths_page_ident_keys();
void smiths_page_ident(const DisplayObject& display, gfx::Graphics& graphics);
void smiths_page_perf_init_keys();
void smiths_page_perf_init(const DisplayObject& display, gfx::Graphics& graphics);
void smiths_page_fix_info_keys();
void smiths_page_fix_info(const DisplayObject& display, gfx::Graphics& graphics);
void smiths_page_rte_hold_keys();
// The RTE HOLD sub-page that shows the hold in list slot `slot`.
int rte_hold_subpage_of_slot(int slot);
void smiths_page_rte_hold(const DisplayObject& display, gfx::Graphics& graphics);
void smiths_page_departures_keys();
void smiths_page_departures(const DisplayObject& display, gfx::Graphics& graphics);
void smiths_page_arrivals_keys();
void smiths_page_arrivals(const DisplayObject& display, gfx::Graphics& graphics);
void smiths_page_approach_ref_keys();
void smiths_page_approach_ref(const DisplayObject& display, gfx::Graphics& graphics);
void smiths_page_takeoff_ref_keys();
void smiths_page_takeoff_ref(const DisplayObject& display, gfx::Graphics& graphics);
void smiths_page_temp_nav_summary_keys();
void smiths_page_temp_nav_summary(const DisplayObject& display, gfx::Graphics& graphics);
void smiths_page_econ_clb_keys();
void smiths_page_econ_clb(const DisplayObject& display, gfx::Graphics& graphics);
void smiths_page_econ_crz_keys();
void smiths_page_econ_crz(const DisplayObject& display, gfx::Graphics& graphics);
void smiths_page_econ_path_des_keys();
void smiths_page_econ_path_des(const DisplayObject& display, gfx::Graphics& graphics);
void smiths_page_des_forecasts_keys();
void smiths_page_des_forecasts(const DisplayObject& display, gfx::Graphics& graphics);
// Two pages without a page number: no key or page leads to them.
void smiths_page_n1_limit_keys();
void smiths_page_n1_limit(const DisplayObject& display, gfx::Graphics& graphics);
void smiths_page_lateral_offset_keys();
void smiths_page_lateral_offset(const DisplayObject& display, gfx::Graphics& graphics);
void smiths_page_select_waypoint_keys();
void smiths_page_select_waypoint(const DisplayObject& display, gfx::Graphics& graphics);
void smiths_page_pos_ref_keys();
void smiths_page_pos_ref(const DisplayObject& display, gfx::Graphics& graphics);
void smiths_page_ref_nav_data_keys();
void smiths_page_ref_nav_data(const DisplayObject& display, gfx::Graphics& graphics);
void smiths_page_nav_status_keys();
void smiths_page_nav_status(const DisplayObject& display, gfx::Graphics& graphics);
void smiths_page_progress_keys();
void smiths_page_progress(const DisplayObject& display, gfx::Graphics& graphics);

// The drawing and the key pass of a page number; null for a number without a
// page (the screen stays blank).
SmithsPageRoutine smiths_page_routine(int page);
SmithsPageKeys smiths_page_keys(int page);

// STORED FLIGHT PLANS: the sub-page shown and the number of sub-pages.
inline int smiths_fpl_subpage = 1;
inline int smiths_fpl_page_count = 1;

// DEPARTURES and ARRIVALS: the number of sub-pages, recomputed on each draw.
inline int dep_subpage_count = 1;
inline int arr_subpage_count = 1;
