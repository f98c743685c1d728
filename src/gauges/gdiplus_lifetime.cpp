// GDI+ lifetime of the drawing gauges, counted per connected gauge.
#include "gauges/gdiplus_lifetime.h"

#include "platform/gfx.h"

uint32_t gdiplus_token = 0;
int32_t gdiplus_connected_gauges = 0;

uint32_t gdiplus_start() {
    // A failed start leaves what the start-up call wrote into the token.
    gfx::startup(&gdiplus_token);
    return gdiplus_token;
}

uint32_t gdiplus_stop(uint32_t token) {
    gfx::shutdown(token);
    return 0;
}

void gdiplus_connect() {
    ++gdiplus_connected_gauges;
    if (gdiplus_token == 0) gdiplus_token = gdiplus_start();
}

void gdiplus_disconnect() {
    if (gdiplus_connected_gauges > 0) --gdiplus_connected_gauges;
    if (gdiplus_connected_gauges == 0 && gdiplus_token != 0) gdiplus_token = gdiplus_stop(gdiplus_token);
}
