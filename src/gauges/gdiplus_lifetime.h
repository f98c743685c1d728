// GDI+ for the drawing gauges: one start-up token shared by all of them.
// GDI+ starts on the first connect of a drawing gauge and shuts down when the
// last connected drawing gauge disconnects, so that a gauge leaving the panel
// does not take drawing away from the gauges that stay.
#pragma once

#include <cstdint>

// 0 while GDI+ is not started by the module.
extern uint32_t gdiplus_token;
// Drawing gauges connected to a window (CONNECT_TO_WINDOW minus DISCONNECT).
extern int32_t gdiplus_connected_gauges;

// Starts GDI+ (version 1, no debug callback) into gdiplus_token and returns
// the token; call only while gdiplus_token is 0.
uint32_t gdiplus_start();
// Shuts GDI+ down for the token; returns 0 for the caller to store.
uint32_t gdiplus_stop(uint32_t token);

// The drawing gauges' CONNECT_TO_WINDOW and DISCONNECT services.
void gdiplus_connect();
void gdiplus_disconnect();
