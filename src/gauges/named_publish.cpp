#include "gauges/named_publish.h"

#include "sim/panel_services.h"

void publish_named(const char* name, double value) {
    ps_set_named_var(ps_find_named_var(name), value);
}

void publish_named_whole(const char* name, int32_t value) {
    publish_named(name, static_cast<double>(static_cast<uint32_t>(value)));
}
