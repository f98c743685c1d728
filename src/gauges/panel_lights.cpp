#include "gauges/panel_lights.h"

#include "data/display_settings.h"
#include "data/display_state.h"
#include "map/range_ladder.h"
#include "sim/element_helpers.h"

void show_panel_light(ElementHeader* background, int n, bool shown) {
    if (n < 1) return;
    if (shown)
        clear_list_element_flags(background, static_cast<uint32_t>(n), IMAGE_HIDDEN);
    else
        set_list_element_flags(background, static_cast<uint32_t>(n), IMAGE_HIDDEN);
}

void update_a300_efis_lights(ElementHeader* background) {
    // The knob pictures: at a range of 60 or in mode 3 the background's own
    // knob artwork shows.
    const double range = du_1000_ehsi_range;
    show_panel_light(background, 1, range <= 15.0);
    show_panel_light(background, 2, range == 30.0);
    show_panel_light(background, 3, range == 120.0);
    show_panel_light(background, 4, range == 240.0);
    for (int mode = kEhsiModeCompass; mode <= kEhsiModePlan; ++mode)
        show_panel_light(background, 5 + mode, du_1000_ehsi_mode == mode);
    show_panel_light(background, 8, show_airway_fixes_flags[ND_DU_1000] == 1);
    show_panel_light(background, 9, show_navaids_flags[ND_DU_1000] == 1);
    show_panel_light(background, 10, du_1000_ehsi_show_ndbs == 1);
    show_panel_light(background, 11, show_airports_flags[ND_DU_1000] == 1);
    show_panel_light(background, 12, tcas_display_on == 1);
}

void update_md80_ehsi_lights(ElementHeader* background) {
    for (int n = 1; n <= 3; ++n)
        show_panel_light(background, n, true);
    show_panel_light(background, 4, show_navaids_flags[ND_MD80] == 1);
    show_panel_light(background, 5, show_airports_flags[ND_MD80] == 1);
    // The copy the panels' boundary buttons keep, not the layer flag: the
    // BDRY gauge's toggle leaves the lamp as it was.
    show_panel_light(background, 6, atc_boundaries_shown == 1);
    show_panel_light(background, 7, show_airway_fixes_flags[ND_MD80] == 1);
    show_panel_light(background, 8, tcas_display_on == 1);
}

void update_hw_b737_efis_lights(ElementHeader* background, bool br) {
    for (int mode = kB737NdModeCompass; mode <= kB737NdModeCtrMap; ++mode)
        show_panel_light(background, mode, hw_b737_nd_mode == mode);
    const double range = hw_b737_nd_range;
    show_panel_light(background, 7, br ? range <= 10.0 : range == 10.0);
    show_panel_light(background, 8, range == 40.0);
    show_panel_light(background, 9, range == 80.0);
    show_panel_light(background, 10, range == 160.0);
    show_panel_light(background, 11, range == 320.0);
}

void update_proline4_aux_lights(ElementHeader* background) {
    show_panel_light(background, 1, tcas_display_on == 1);
    show_panel_light(background, 2, show_airway_fixes_flags[ND_PROLINE4] == 1);
    show_panel_light(background, 3, show_navaids_flags[ND_PROLINE4] == 1);
    show_panel_light(background, 4, proline4_mfd_show_ndbs == 1);
    show_panel_light(background, 5, show_airports_flags[ND_PROLINE4] == 1);
    show_panel_light(background, 6, show_atc_boundaries == 1);
}
