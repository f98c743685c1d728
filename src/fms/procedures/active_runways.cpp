#include "fms/procedures/active_runways.h"

#include "fms/units/mcu_page_state.h"
#include "sim/data_link.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr uint32_t kRequest = 0xD000;
constexpr uint32_t kIdent = 0xD004;
constexpr uint32_t kStatus = 0xD008;
constexpr uint32_t kRunways12 = 0xD00C;
constexpr uint32_t kRunways34 = 0xD010;
constexpr uint32_t kRequestCode = 19417;
constexpr int kMaxPolls = 30;

const char* designator_letter(uint8_t code) {
    switch (code) {
    case 1:
        return "L";
    case 2:
        return "R";
    case 3:
        return "C";
    case 4:
        return "W";
    default:
        return "";
    }
}

std::string runway_text(uint8_t number, uint8_t code) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d%s\n", number, designator_letter(code));
    return text;
}

void queue_request(const char* ident, uint32_t* result) {
    const uint32_t request = kRequestCode;
    ipc_write(kIdent, 4, ident, result);
    ipc_write(kRequest, 4, &request, result);
}

} // namespace

void query_active_runways_ipc(const std::string& ident) {
    active_runway_1.clear();
    active_runway_2.clear();
    active_runway_3.clear();
    active_runway_4.clear();
    mcu_apt_page_count = 1;
    if (!ipc_open(0, &ipc_result, ipc_buffer, sizeof ipc_buffer)) return;

    char ident_bytes[8] = {}; // the first four characters go out
    std::strncpy(ident_bytes, ident.c_str(), sizeof ident_bytes - 1);
    uint32_t status = 0;
    queue_request(ident_bytes, &ipc_result);
    ipc_read(kStatus, 4, &status, &ipc_result);
    ipc_process(&ipc_result);

    uint8_t runways[8] = {};
    bool answered = false;
    for (int poll = 0; poll < kMaxPolls && !answered; ++poll) {
        char echoed[4] = {};
        queue_request(ident_bytes, &ipc_result);
        ipc_read(kIdent, 4, echoed, &ipc_result);
        ipc_read(kStatus, 4, &status, &ipc_result);
        ipc_read(kRunways12, 4, runways, &ipc_result);
        ipc_read(kRunways34, 4, runways + 4, &ipc_result);
        ipc_process(&ipc_result);
        answered = runways[0] != 0;
    }
    if (answered) {
        std::string* texts[4] = {&active_runway_1, &active_runway_2, &active_runway_3, &active_runway_4};
        for (int k = 0; k < 4; ++k)
            if (runways[2 * k] != 0) *texts[k] = runway_text(runways[2 * k], runways[2 * k + 1]);
        mcu_apt_page_count = 2;
    }
    const uint32_t end = 0;
    ipc_write(kRequest, 4, &end, &ipc_result);
    ipc_process(&ipc_result);
    ipc_close();
}
