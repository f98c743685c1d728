#include "fake_module.h"

namespace fake {

ImportTableRecord imports{0xF, nullptr};
std::vector<CallbackCall> callback_calls;
std::vector<MouseCall> mouse_calls;
std::vector<KeyCall> key_calls;
int init_calls = 0;
int deinit_calls = 0;
int32_t server_published = 42;
double server_distance = 12.5;
char server_ident[] = "OLM";
// Records registered as a text, as the published plan is.
const uint32_t server_records[4] = {0x01020304u, 0x7F7F7F01u, 0u, 0u};

namespace {

void record(GaugeHeader* gauge, int32_t service, uintptr_t) {
    const ElementHeader* first = gauge->elements_list != nullptr ? gauge->elements_list[0] : nullptr;
    const ElementHeader* drawn =
        first != nullptr && first->next_element != nullptr ? first->next_element[0] : nullptr;
    callback_calls.push_back({gauge, service, gauge->parameters != nullptr ? gauge->parameters : "(null)",
                              drawn != nullptr && drawn->device_context != nullptr});
}

int32_t spot_one(PixPoint* p, uint32_t flags) {
    mouse_calls.push_back({1, *p, flags});
    return 7;
}

int32_t spot_two(PixPoint* p, uint32_t flags) {
    mouse_calls.push_back({2, *p, flags});
    return 0;
}

int32_t toggle_spot(PixPoint* p, uint32_t flags) {
    mouse_calls.push_back({3, *p, flags});
    return slot<ps_fn::WindowToggle>(PS_SLOT_WINDOW_TOGGLE)(4001);
}

void key_handler(uint32_t id, uint32_t parameter, void* user) {
    key_calls.push_back({id, parameter, reinterpret_cast<uintptr_t>(user)});
}

void server_callback(GaugeHeader* gauge, int32_t service, uintptr_t extra) {
    record(gauge, service, extra);
    if (service == PANEL_SERVICE_CONNECT_TO_WINDOW) {
        slot<ps_fn::KeyHandler>(PS_SLOT_ADD_KEY_HANDLER)(key_handler, 0);
        slot<ps_fn::RegisterModuleVar>(PS_SLOT_REGISTER_MODULE_VAR)(&server_published, MODULE_VAR_INT32,
                                                                    "fake_published");
        slot<ps_fn::RegisterModuleVar>(PS_SLOT_REGISTER_MODULE_VAR)(&server_distance, MODULE_VAR_FLOAT64,
                                                                    "fake_distance");
        slot<ps_fn::RegisterModuleVar>(PS_SLOT_REGISTER_MODULE_VAR)(server_ident, MODULE_VAR_STRING,
                                                                    "fake_ident");
        slot<ps_fn::RegisterModuleVar>(PS_SLOT_REGISTER_MODULE_VAR)(const_cast<uint32_t*>(server_records),
                                                                    MODULE_VAR_STRING, "fake_records");
        int32_t id = slot<ps_fn::RegisterNamedVar>(PS_SLOT_REGISTER_NAMED_VAR)("fake_active");
        slot<ps_fn::SetNamedVar>(PS_SLOT_SET_NAMED_VAR)(id, 1.0);
    }
    if (service == PANEL_SERVICE_PRE_UPDATE) {
        // A request another panel writes: answered by sending a key event.
        int32_t id = slot<ps_fn::FindNamedVar>(PS_SLOT_FIND_NAMED_VAR)("fake_request");
        double v = slot<ps_fn::GetNamedVar>(PS_SLOT_GET_NAMED_VAR)(id);
        if (v != 0.0) {
            slot<ps_fn::SendKeyEvent>(PS_SLOT_SEND_KEY_EVENT)(0x101FA, static_cast<uint32_t>(v));
            slot<ps_fn::SetNamedVar>(PS_SLOT_SET_NAMED_VAR)(id, 0.0);
        }
    }
    if (service == PANEL_SERVICE_DISCONNECT) {
        slot<ps_fn::KeyHandler>(PS_SLOT_REMOVE_KEY_HANDLER)(key_handler, 0);
        slot<ps_fn::UnregisterModuleVar>(PS_SLOT_UNREGISTER_MODULE_VAR)("fake_published");
        slot<ps_fn::UnregisterModuleVar>(PS_SLOT_UNREGISTER_MODULE_VAR)("fake_distance");
        slot<ps_fn::UnregisterModuleVar>(PS_SLOT_UNREGISTER_MODULE_VAR)("fake_ident");
        slot<ps_fn::UnregisterModuleVar>(PS_SLOT_UNREGISTER_MODULE_VAR)("fake_records");
    }
}

void module_init() {
    ++init_calls;
}
void module_deinit() {
    ++deinit_calls;
}

ElementHeader make_element(uint32_t kind, int x, int y, int w, int h, uint32_t flags, ElementList children) {
    ElementHeader e{};
    e.kind = kind;
    e.position_x = x;
    e.position_y = y;
    e.image_flags = flags;
    e.next_element = children;
    e.bitmap_width = w;
    e.bitmap_height = h;
    return e;
}

// Display gauge: background, drawing surface, needle on the surface.
ElementHeader needle = make_element(ELEMENT_MOVING_IMAGE, 27, 5, NEEDLE_W, NEEDLE_H, 3, nullptr);
ElementHeader* needle_list[] = {&needle, nullptr};
ElementHeader surface = make_element(ELEMENT_STATIC_IMAGE, 20, 20, SURFACE_W, SURFACE_H, 0x24, needle_list);
ElementHeader* surface_list[] = {&surface, nullptr};
ElementHeader background = make_element(ELEMENT_STATIC_IMAGE, 0, 0, DISPLAY_W, DISPLAY_H, 1, surface_list);
ElementHeader* display_elements[] = {&background, nullptr};

MouseRect parent(int x, int y, int w, int h) {
    return MouseRect{MOUSE_RECT_PARENT, x, y, w, h, CURSOR_NONE, 0, 0, 0, nullptr, nullptr};
}
MouseRect child(int w, int h, uint32_t flags, MouseHandler handler) {
    return MouseRect{MOUSE_RECT_CHILD, 0, 0, w, h, CURSOR_HAND, 0, flags, 0, handler, nullptr};
}
MouseRect end_parent() {
    return MouseRect{MOUSE_RECT_END_PARENT, 0, 0, 0, 0, 0, 0, 0, 0, nullptr, nullptr};
}
MouseRect end_list() {
    return MouseRect{};
}

MouseRect display_mouse[] = {
    parent(0, 0, 0, 0), parent(10, 10, 30, 20), child(30, 20, MOUSE_LEFTSINGLE, spot_one),
    end_parent(),       parent(50, 40, 20, 20), child(20, 20, MOUSE_LEFT_REPEAT, spot_two),
    end_parent(),       end_parent(),           end_list(),
};

// Click-spot-only gauge: one spot that toggles window 4001.
ElementHeader spot_background = make_element(ELEMENT_STATIC_IMAGE, 0, 0, 50, 49, 0, nullptr);
ElementHeader* spot_elements[] = {&spot_background, nullptr};
MouseRect spot_mouse[] = {
    parent(0, 0, 0, 0), parent(7, 7, 35, 35), child(35, 35, MOUSE_LEFTSINGLE, toggle_spot),
    end_parent(),       end_parent(),         end_list(),
};

// Server-like gauge: no picture, no click spot.
ElementHeader server_background = make_element(ELEMENT_STATIC_IMAGE, 0, 0, 0, 0, 0, nullptr);
ElementHeader* server_elements[] = {&server_background, nullptr};
MouseRect empty_mouse[] = {parent(0, 0, 0, 0), end_parent(), end_list()};

GaugeHeader header(const char* name, ElementList elements, MouseRect* mouse, GaugeCallback callback) {
    GaugeHeader h{};
    h.version = 0x320;
    h.name = name;
    h.elements_list = elements;
    h.size_x_mm = 312;
    h.mouse_rect = mouse;
    h.gauge_callback = callback;
    return h;
}

GaugeHeader display_header = header("DISPLAY", display_elements, display_mouse, record);
GaugeHeader spot_header = header("SPOT_OPEN", spot_elements, spot_mouse, nullptr);
GaugeHeader server_header = header("SERVER", server_elements, empty_mouse, server_callback);

} // namespace

GaugeHeader hidden_header = header("HIDDEN_OPEN", spot_elements, spot_mouse, nullptr);

ModuleLinkage linkage = {
    0x13, module_init, module_deinit, 0, 0, 0x900, {&display_header, &spot_header, &server_header, nullptr}};

void reset() {
    callback_calls.clear();
    mouse_calls.clear();
    key_calls.clear();
    init_calls = 0;
    deinit_calls = 0;
}

} // namespace fake
