// One gauge instance on the panel: its own copy of the module's gauge header
// (with `parameters` set) and its own deep copy of the element tree, so that
// instances of one gauge never share element state.
#pragma once

#include "module_loader.h"
#include "sim/gauge_abi.h"

#include <memory>
#include <string>
#include <vector>

namespace host {

// Image flag of the elements the module draws into itself (its drawing
// surfaces carry 0x24, C17_MFD's single element 0x26).
inline constexpr uint32_t IMAGE_CREATE_SURFACE = 0x20u;

struct PlacedGauge {
    std::string id;         // "window00.gauge00", lower case
    std::string gauge_name; // as the module names it
    const GaugeHeader* source = nullptr;
    GaugeHeader header{};   // what the callback is called with
    std::string parameters; // storage of header.parameters
    int x = 0, y = 0;       // placement on the panel
    int width = 0, height = 0;
    // Its pop-up window (0: the main panel): such a gauge is drawn only
    // while that window is open.
    uint32_t window_ident = 0;
    int bitmap_width = 0; // the first element's bitmap size: the gauge's own pixels
    int bitmap_height = 0;
    SurfaceServices surfaces; // how drawing elements get their surfaces

    // Owned copies the header points into.
    std::vector<std::unique_ptr<ElementHeader>> elements;
    std::vector<std::unique_ptr<ElementHeader*[]>> lists;
    std::vector<std::unique_ptr<ImageRecord>> images;
    // The elements the module draws into (IMAGE_CREATE_SURFACE), first found first.
    std::vector<ElementHeader*> drawing_elements;

    PlacedGauge() = default;
    ~PlacedGauge(); // gives back the surfaces still held
    PlacedGauge(const PlacedGauge&) = delete;
    PlacedGauge& operator=(const PlacedGauge&) = delete;
};

// Builds an instance of the header placed at (x, y) with the given size (0 x
// 0: the gauge's bitmap size). Static images get an image record of their
// bitmap size scaled by placed size over the gauge's bitmap size, as the
// simulator scales a gauge to where the panel places it. Drawing elements get
// their device context from attach_element_surface. False with a message when
// the element tree is malformed (too deep or too wide).
bool make_placed_gauge(const GaugeHeader& source, const std::string& id, int x, int y, int width, int height,
                       const std::string& parameters, PlacedGauge& gauge, std::string& error,
                       const SurfaceServices& surfaces = {});

// Gives the drawing elements' surfaces back (detach_element_surface).
void release_placed_gauge(PlacedGauge& gauge);

// The gauge's first element (entry 0 of its element list), or null.
ElementHeader* first_element(const PlacedGauge& gauge);

} // namespace host
