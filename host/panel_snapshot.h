// Pictures and light lists of the gauges that draw nothing themselves (the
// control panels): the module ships no artwork, so a panel's picture is its
// background box with each shown light filled at its place and size and
// each click spot outlined, in the background's bitmap pixels.
#pragma once

#include <string>
#include <vector>

namespace host {

struct PlacedGauge;

// The numbers of the shown lights: light n is the n-th element down the
// chain below the gauge's first element, shown while its hidden bit
// (0x40000000) is clear. Light positions are in the background's pixels.
std::vector<int> shown_lights(const PlacedGauge& gauge);

// Writes the panel's picture as a PNG file. False with a message when the
// gauge has no background or the file cannot be written.
bool write_panel_snapshot(const PlacedGauge& gauge, const std::string& path, std::string& error);

// What a panel's picture shows, in bitmap pixels: a background box, shown
// lights filled, click spots outlined. Painted by the platform's own drawing
// (panel_picture_posix.cpp with Cairo, panel_picture_win.cpp with GDI+).
struct PanelBox {
    int x, y, w, h;
};
struct PanelPicture {
    int width = 0;
    int height = 0;
    std::vector<PanelBox> lights;
    std::vector<PanelBox> spots;
};
bool paint_panel_picture(const PanelPicture& picture, const std::string& path);

} // namespace host
