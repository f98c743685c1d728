// The EFS50_EHSI and EFS50_TCAS render passes for the stand-in aircraft on
// the example route, in a 266 x 230 surface (one pixel per design unit), and
// the values their painters compute.
#include "nd_fixture.h"

#include "nd/efs50_ehsi_painters.h"

#include <algorithm>

namespace {

constexpr gfx::Argb kCyan = 0xFF02A7EB;

class Efs50Ehsi : public NdTest {
  protected:
    void SetUp() override {
        NdTest::SetUp();
        gfx::destroy_surface_dc(dc_);
        dc_ = gfx::create_surface_dc(266, 230, gfx::SurfaceCairo | gfx::SurfaceRecording);
    }
    void TearDown() override {
        efs50_ehsi_mode = 1;
        efs50_nav_source = 1;
        efs50_tcas_range = 10.0;
        efs50_brg1_source = efs50_brg2_source = 0;
        NdTest::TearDown();
    }
    const gfx::Recording& draw(int mode, int source) {
        efs50_ehsi_mode = mode;
        efs50_nav_source = source;
        rec().clear();
        render_efs50_ehsi(dc_, PixelSize{266, 230}, 1);
        return rec();
    }
    bool has(const gfx::Recording& r, const char* text) { return r.find_text(text) != nullptr; }
};

TEST_F(Efs50Ehsi, eachFormatDrawsItsPieces) {
    struct Row {
        int mode, source;
        const char* shown;  // a text the format draws
        const char* absent; // one it must not
    };
    const Row rows[] = {
        {1, 1, "CRS 000", "NISQL"}, // HSI: course, no route
        {1, 2, "DTK 221", "NISQL"}, // FMS guidance but no route in the HSI format
        {5, 2, "NISQL", "V"},       // arc map: route and FMS letters
        {2, 2, "NISQL", "CRS 000"}, // full-compass map: route
        {5, 1, "NO MAP", "NISQL"},  // radio source without a signal: no route
        {6, 1, "WX OFF", "FMS"},
        {8, 2, "10", "DTK 221"},    // traffic page: only rings and their range
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.mode * 10 + row.source);
        const gfx::Recording& r = draw(row.mode, row.source);
        std::string all;
        for (const std::string& t : r.texts()) all += t + "|";
        SCOPED_TRACE(all);
        EXPECT_TRUE(has(r, row.shown));
        EXPECT_FALSE(has(r, row.absent));
    }
}

} // namespace
