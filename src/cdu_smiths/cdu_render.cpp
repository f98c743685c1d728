#include "cdu_smiths/cdu_render.h"

#include "cdu_smiths/smiths_keys.h"
#include "cdu_smiths/smiths_pages.h"
#include "data/c17_mfd_state.h"
#include "data/display_settings.h"
#include "fms/exec/exec_cursors.h"
#include "fms/plan/plan_edit.h"
#include "fms/units/cdu_text.h"
#include "map/palette.h"

DisplayObject smiths_cdu_display;

namespace {

// The pages the unit draws; other numbers leave the screen blank.
struct PageEntry {
    int page;
    SmithsPageKeys keys;
    SmithsPageRoutine draw;
};
constexpr PageEntry kPages[] = {
    {kPageStoredFpls, smiths_page_stored_fpls_keys, smiths_page_stored_fpls},
    {kPageRteLegs, smiths_page_rte_legs_keys, smiths_page_rte_legs},
    {kPageRte, smiths_page_rte_keys, smiths_page_rte},
    {kPageInitRefIndex, smiths_page_init_ref_index_keys, smiths_page_init_ref_index},
    {kPageDepArrIndex, smiths_page_dep_arr_index_keys, smiths_page_dep_arr_index},
    {kPageIdent, smiths_page_ident_keys, smiths_page_ident},
    {kPagePerfInit, smiths_page_perf_init_keys, smiths_page_perf_init},
    {kPageFixInfo, smiths_page_fix_info_keys, smiths_page_fix_info},
    {kPageRteHold, smiths_page_rte_hold_keys, smiths_page_rte_hold},
    {kPageDepartures, smiths_page_departures_keys, smiths_page_departures},
    {kPageArrivals, smiths_page_arrivals_keys, smiths_page_arrivals},
    {kPageApproachRef, smiths_page_approach_ref_keys, smiths_page_approach_ref},
    {kPageTakeoffRef, smiths_page_takeoff_ref_keys, smiths_page_takeoff_ref},
    {kPageTempNavSummary, smiths_page_temp_nav_summary_keys, smiths_page_temp_nav_summary},
    {kPageEconClb, smiths_page_econ_clb_keys, smiths_page_econ_clb},
    {kPageEconCrz, smiths_page_econ_crz_keys, smiths_page_econ_crz},
    {kPageEconPathDes, smiths_page_econ_path_des_keys, smiths_page_econ_path_des},
    {kPageDesForecasts, smiths_page_des_forecasts_keys, smiths_page_des_forecasts},
    {kPageSelectWaypoint, smiths_page_select_waypoint_keys, smiths_page_select_waypoint},
    {kPagePosRef, smiths_page_pos_ref_keys, smiths_page_pos_ref},
    {kPageRefNavData, smiths_page_ref_nav_data_keys, smiths_page_ref_nav_data},
    {kPageNavStatus, smiths_page_nav_status_keys, smiths_page_nav_status},
    {kPageProgress, smiths_page_progress_keys, smiths_page_progress},
};

// The map step survives only while some display centres on it.
void drop_map_step_without_plan_format() {
    if (smiths_legs_map_step > 0 && !smiths_plan_format_shown()) legs_map_step = 0;
}

} // namespace

SmithsPageRoutine smiths_page_routine(int page) {
    for (const PageEntry& e : kPages)
        if (e.page == page) return e.draw;
    return nullptr;
}

SmithsPageKeys smiths_page_keys(int page) {
    for (const PageEntry& e : kPages)
        if (e.page == page) return e.keys;
    return nullptr;
}

bool smiths_plan_format_shown() {
    return hw_b737_nd_mode >= kB737NdModePlan || du_1000_ehsi_mode == kEhsiModePlan ||
           hw_md11_nd_mode == kMd11NdModePlan || md80_ehsi_mode == kEhsiModePlan ||
           c17_mfd_format == kC17FormatPlan;
}

namespace {

// Cleared, unscaled: each page maps its canvas onto the element itself.
RenderFrameOptions smiths_frame() {
    RenderFrameOptions frame;
    frame.set_text_hint = false;
    frame.pre_clear = true;
    frame.test_display_power = false;
    frame.test_mode = false;
    frame.scale = false;
    frame.fill_background = false;
    return frame;
}

} // namespace

void render_smiths_fms(DisplayObject& display, void* device_context, PixelSize size) {
    // The page whose keys ran is the page drawn, even when a key chose
    // another: that one acts and draws from the next frame on.
    const PlanUnitScope unit(PlanUnit::Smiths);
    int page = smiths_cdu_page;
    auto act = [&] {
        drop_map_step_without_plan_format();
        page = smiths_cdu_page;
        if (SmithsPageKeys keys = smiths_page_keys(page)) keys();
    };
    const bool drawn = run_render_frame(display, device_context, size, RENDER_MODE_DRAW, 1, smiths_frame(),
                                        [&](gfx::Graphics& g) {
                                            act();
                                            if (SmithsPageRoutine draw = smiths_page_routine(page))
                                                draw(display, g);
                                            smiths_reset_key_flags();
                                        });
    // Only a missing device context holds the keys for a later frame; an
    // element without an area draws nothing but still takes them.
    if (!drawn && device_context != nullptr) {
        act();
        smiths_reset_key_flags();
    }
}

void render_smiths_routine(DisplayObject& display, void* device_context, PixelSize size,
                           SmithsPageRoutine routine) {
    const PlanUnitScope unit(PlanUnit::Smiths);
    run_render_frame(display, device_context, size, RENDER_MODE_DRAW, 1, smiths_frame(),
                     [&](gfx::Graphics& g) { routine(display, g); });
}

void cdu_fill_text_box(int x, int y, gfx::Graphics& graphics, int n) {
    const gfx::SolidBrush brush(palette::green);
    const gfx::Point box[] = {{x, y}, {x + 14 * n, y}, {x + 14 * n, y + 20}, {x, y + 20}, {x, y}};
    graphics.fill_polygon_i(brush, box, gfx::FillMode::Alternate);
}
