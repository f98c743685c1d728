#include "gauge_walk.h"
#include "gauges/element_callbacks.h"
#include "gauges/gauge_callbacks.h"
#include "gauges/linkage.h"
#include "sim/recording_services.h"

#include <gtest/gtest.h>

#include "shared/expected_gauge_names.h"
#include <set>

#include <string>

namespace {

TEST(GaugeTable, LinkageOffersTheFiftyFourGaugesInOrder) {
    const auto& expected = expected_gauge_names;
    static_assert(std::size(expected) == 54);
    for (size_t i = 0; i < 54; ++i) {
        ASSERT_NE(Linkage.gauge_table[i], nullptr) << i;
        EXPECT_STREQ(Linkage.gauge_table[i]->name, expected[i]) << i;
    }
    EXPECT_EQ(Linkage.gauge_table[54], nullptr);

    EXPECT_EQ(Linkage.module_id, 0x13u);
    EXPECT_EQ(Linkage.module_version, 0x900u);
    EXPECT_EQ(Linkage.flags, 0u);
    EXPECT_EQ(Linkage.priority, 0u);
    EXPECT_EQ(ImportTable.import_id, 0xFu);
    EXPECT_EQ(ImportTable.panels, nullptr);
    ASSERT_NE(Linkage.module_init, nullptr);
    ASSERT_NE(Linkage.module_deinit, nullptr);
    Linkage.module_init();
    Linkage.module_deinit();
}

TEST(GaugeTable, McuOpenLmIsDefinedButNotOffered) {
    for (GaugeHeader* h : Linkage.gauge_table) {
        if (h == nullptr) break;
        EXPECT_NE(h, &mcu_open_lm_gauge);
        EXPECT_STRNE(h->name, "MCU_OPEN_LM");
    }
    // It is a full button gauge all the same.
    EXPECT_STREQ(mcu_open_lm_gauge.name, "MCU_OPEN_LM");
    EXPECT_EQ(mcu_open_lm_gauge.gauge_callback, nullptr);
    EXPECT_EQ(mcu_open_lm_gauge.query, mcu_open_gauge.query);
    EXPECT_EQ(first_element(&mcu_open_lm_gauge)->resource_id, first_element(&mcu_open_gauge)->resource_id);
}

TEST(GaugeTable, EveryHeaderCarriesTheCommonWords) {
    std::set<std::string> names;
    for (GaugeHeader* h : all_headers()) {
        SCOPED_TRACE(h->name);
        names.insert(h->name);
        EXPECT_EQ(h->version, 0x320u);
        EXPECT_EQ(h->size_x_mm, 312u);
        EXPECT_EQ(h->query, gauge_query);
        EXPECT_EQ(h->install, gauge_install);
        EXPECT_EQ(h->initialize, gauge_initialize);
        EXPECT_EQ(h->update, gauge_update);
        EXPECT_EQ(h->generate, gauge_generate);
        EXPECT_EQ(h->draw, gauge_draw);
        EXPECT_EQ(h->kill, gauge_kill);
        EXPECT_EQ(h->reserved1, nullptr);
        for (void* w : h->reserved_48)
            EXPECT_EQ(w, nullptr);
        for (void* w : h->reserved_96)
            EXPECT_EQ(w, nullptr);
        EXPECT_EQ(h->user_data, 0u);
        EXPECT_EQ(h->parameters, nullptr);
        ASSERT_NE(h->elements_list, nullptr);
        EXPECT_NE(h->elements_list[0], nullptr);
        EXPECT_EQ(h->elements_list[1], nullptr);
        EXPECT_NE(h->mouse_rect, nullptr);
    }
    EXPECT_EQ(names.size(), 55u);
}

TEST(GaugeTable, OnlyTheWindowButtonsHaveNoCallback) {
    std::set<GaugeCallback> callbacks;
    int without = 0;
    for (GaugeHeader* h : all_headers()) {
        const std::string name = h->name;
        const bool button = name.ends_with("_OPEN") || name.ends_with("_OPEN_LM");
        if (button) {
            EXPECT_EQ(h->gauge_callback, nullptr) << name;
            ++without;
        } else {
            EXPECT_NE(h->gauge_callback, nullptr) << name;
            callbacks.insert(h->gauge_callback);
        }
    }
    EXPECT_EQ(without, 11);
    EXPECT_EQ(callbacks.size(), 44u) << "every other gauge has a callback of its own";
    EXPECT_EQ(header_named("B777_PFD_NB")->gauge_callback, d100_callback);
    EXPECT_EQ(header_named("HW_B737_ND_BR")->gauge_callback, hw_b737_ehsi_br_callback);
    EXPECT_EQ(header_named("PROLINE4_AUX_CTRL")->gauge_callback, proline4_mfd_displ_callback);
}

// Gauges whose callback draws into the first child of the first element.
const char* const drawing_gauges[] = {
    "EFS50_EADI",      "EFS50_EHSI",      "EFS50_EADI_NB", "EFS50_EHSI_NB", "EFS50_TCAS",
    "HW_B737_ND",      "HW_B737_ND_BR",   "HW_B737_ND_NB", "HW_MD11_ND",    "HW_MD11_ND_NB",
    "DU_1000_EHSI",    "DU_1000_EHSI_NB", "A320_EADI_NB",  "MD80_EHSI_NB",  "PROLINE4_MFD",
    "PROLINE4_MFD_NB", "PROLINE_EICAS",   "B777_PFD_NB",   "DEBUG",
};

TEST(GaugeElements, DrawingGaugesDrawIntoASurfaceBelowTheirBackground) {
    for (const char* name : drawing_gauges) {
        SCOPED_TRACE(name);
        const ElementHeader* background = first_element(header_named(name));
        const ElementHeader* surface = first_child(background);
        ASSERT_NE(surface, nullptr);
        EXPECT_EQ(background->kind, ELEMENT_STATIC_IMAGE);
        EXPECT_EQ(surface->kind, ELEMENT_STATIC_IMAGE);
        EXPECT_EQ(surface->image_flags, 0x24u);
        EXPECT_LE(surface->position_x + surface->bitmap_width, background->bitmap_width);
        EXPECT_LE(surface->position_y + surface->bitmap_height, background->bitmap_height);
    }

    const ElementHeader* b737 = first_element(header_named("HW_B737_ND_BR"));
    EXPECT_EQ(b737->resource_id, 322u);
    EXPECT_EQ(b737->bitmap_width, 281);
    EXPECT_EQ(b737->bitmap_height, 337);
    const ElementHeader* b737_surface = first_child(b737);
    EXPECT_EQ(b737_surface->resource_id, 318u);
    EXPECT_EQ(b737_surface->position_x, 18);
    EXPECT_EQ(b737_surface->position_y, 25);
    EXPECT_EQ(b737_surface->bitmap_width, 247);
    EXPECT_EQ(b737_surface->bitmap_height, 294);

    const ElementHeader* md80 = first_element(header_named("MD80_EHSI_NB"));
    EXPECT_EQ(md80->resource_id, 358u);
    EXPECT_EQ(md80->image_flags, 0u);
    EXPECT_EQ(first_child(md80)->position_x, 0);

    const ElementHeader* debug = first_element(header_named("DEBUG"));
    EXPECT_EQ(debug->resource_id, 522u);
    EXPECT_EQ(debug->image_flags, 1u);
    EXPECT_EQ(first_child(debug)->resource_id, 520u);
    EXPECT_EQ(first_child(debug)->position_y, 38);
}

TEST(GaugeElements, EadiMovesAnImageByTokenSixtyNine) {
    const ElementHeader* background = first_element(&efs50_eadi_gauge);
    EXPECT_EQ(background->resource_id, 280u);
    EXPECT_EQ(background->image_flags, 1u);
    const ElementHeader* surface = first_child(background);
    ASSERT_NE(surface, nullptr);
    EXPECT_EQ(surface->resource_id, 278u);
    ElementHeader* moved = first_child(surface);
    ASSERT_NE(moved, nullptr);
    EXPECT_EQ(moved->kind, ELEMENT_MOVING_IMAGE);
    EXPECT_EQ(moved->resource_id, 406u);
    EXPECT_EQ(moved->image_flags, 3u);
    EXPECT_EQ(moved->position_x, 185);
    EXPECT_EQ(moved->position_y, 335);
    EXPECT_EQ(first_child(moved), nullptr);
    ASSERT_EQ(moved->value_callback, efs50_eadi_ball_value);

    using Sim = RecordingServices<1>;
    Sim::reset();
    PanelServices table = Sim::table();
    ImportTable.panels = &table;
    Sim::real_result = -120.0;
    EXPECT_DOUBLE_EQ(moved->value_callback(moved), 3.0);
    Sim::real_result = 40.0;
    EXPECT_DOUBLE_EQ(moved->value_callback(moved), 1.0);
    ImportTable.panels = nullptr;

    ASSERT_EQ(Sim::calls.size(), 2u);
    EXPECT_EQ(Sim::calls[0].slot, 40);
    // token id, then value pointer, value type and previous value all zero
    EXPECT_EQ(Sim::calls[0].nums, (std::vector<int64_t>{69, 0, 0, 0}));
}

TEST(GaugeElements, LuminousTwinsDifferOnlyInTheirBackgroundFlag) {
    const std::pair<const char*, const char*> twins[] = {
        {"MCU", "MCU_LM"},
        {"GNSXLS", "GNSXLS_LM"},
        {"EFS50_EHSI_CNTR", "EFS50_EHSI_CNTR_LM"},
        {"EHSI_CNTR_OPEN", "EHSI_CNTR_OPEN_LM"},
        {"FMS_OPEN", "FMS_OPEN_LM"},
        {"MCU_OPEN", "MCU_OPEN_LM"},
    };
    for (const auto& [base_name, lm_name] : twins) {
        SCOPED_TRACE(lm_name);
        const ElementHeader* base = first_element(header_named(base_name));
        const ElementHeader* lm = first_element(header_named(lm_name));
        EXPECT_EQ(base->image_flags, 0u);
        EXPECT_EQ(lm->image_flags, 0x4000u);
        EXPECT_EQ(lm->resource_id, base->resource_id);
        EXPECT_EQ(lm->bitmap_width, base->bitmap_width);
        EXPECT_EQ(lm->bitmap_height, base->bitmap_height);
    }
    const ElementHeader* mcu = first_element(&mcu_gauge);
    EXPECT_EQ(mcu->resource_id, 260u);
    EXPECT_EQ(mcu->bitmap_width, 501);
    EXPECT_EQ(mcu->bitmap_height, 386);
    EXPECT_EQ(first_element(&fms_open_lm_gauge)->resource_id, 9796u);
}

TEST(GaugeElements, LightsStartHiddenBelowTheirButtons) {
    const ElementHeader* lnav = first_element(&lnav_gauge);
    EXPECT_EQ(lnav->resource_id, 306u);
    const ElementHeader* lnav_light = first_child(lnav);
    ASSERT_NE(lnav_light, nullptr);
    EXPECT_EQ(lnav_light->kind, ELEMENT_ICON);
    EXPECT_EQ(lnav_light->resource_id, 308u);
    EXPECT_EQ(lnav_light->bitmap_width, 48);
    EXPECT_EQ(lnav_light->image_flags, 0x40004007u);
    EXPECT_NE(lnav_light->image_flags & IMAGE_HIDDEN, 0u);

    const ElementHeader* vnav_light = first_child(first_element(&vnav_gauge));
    ASSERT_NE(vnav_light, nullptr);
    EXPECT_EQ(vnav_light->resource_id, 290u);
    EXPECT_EQ(vnav_light->image_flags, 0x40004007u);
}

TEST(GaugeElements, SingleElementGauges) {
    const ElementHeader* c17 = first_element(&c17_mfd_gauge);
    EXPECT_EQ(c17->resource_id, 412u);
    EXPECT_EQ(c17->image_flags, 0x26u);
    EXPECT_EQ(c17->bitmap_width, 246);
    EXPECT_EQ(c17->bitmap_height, 241);
    EXPECT_EQ(c17->next_element, nullptr);

    EXPECT_EQ(first_element(&bdry_gauge)->resource_id, 400u);
    EXPECT_EQ(first_element(&bdry_gauge)->next_element, nullptr);
    EXPECT_EQ(first_element(&server_gauge)->resource_id, 0u);
    EXPECT_EQ(first_element(&server_gauge)->next_element, nullptr);
}

} // namespace
