#include "gauges/gauge_services.h"

#include "gauges/gdiplus_lifetime.h"
#include "sim/element_helpers.h"

namespace {

void run(const std::function<void()>& handler) {
    if (handler) handler();
}

} // namespace

void run_gauge_service(GaugeHeader* gauge, int32_t service, const GaugeServices& on) {
    if (gauge == nullptr) return;
    switch (service) {
    case PANEL_SERVICE_PRE_INSTALL:
        run(on.pre_install);
        break;
    case PANEL_SERVICE_POST_INSTALL:
        run(on.post_install);
        break;
    case PANEL_SERVICE_PRE_INITIALIZE:
        run(on.pre_initialize);
        break;
    case PANEL_SERVICE_PRE_UPDATE:
        run(on.pre_update);
        break;
    case PANEL_SERVICE_PRE_DRAW:
        run(on.pre_draw);
        break;
    case PANEL_SERVICE_CONNECT_TO_WINDOW:
        gdiplus_connect();
        break;
    case PANEL_SERVICE_DISCONNECT:
        gdiplus_disconnect();
        break;
    default:
        break;
    }
}

ElementHeader* gauge_first_element(const GaugeHeader* gauge) {
    return gauge->elements_list != nullptr ? gauge->elements_list[0] : nullptr;
}

void show_gauge_lamp(ElementHeader* first, uint32_t lamp, bool lit) {
    if (lit)
        clear_list_element_flags(first, lamp, IMAGE_HIDDEN);
    else
        set_list_element_flags(first, lamp, IMAGE_HIDDEN);
}
