#include "gps_plan.h"

#include "sim_state.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <sstream>

namespace host {

namespace {

constexpr std::size_t kBlockSize = 200;
constexpr std::size_t kRecordSize = 64;

// Kept for the life of the process: the module keeps the block's address.
std::vector<unsigned char>& block_storage() {
    static std::vector<unsigned char> block(kBlockSize, 0);
    return block;
}
std::vector<unsigned char>& record_storage() {
    static std::vector<unsigned char> records;
    return records;
}

template <class T> void put(unsigned char* at, T value) {
    std::memcpy(at, &value, sizeof value);
}

bool parse_number(const std::string& text, double& value) {
    std::istringstream in(text);
    in >> value;
    return !in.fail() && in.eof();
}

} // namespace

void publish_gps_plan(const std::vector<GpsPlanWaypoint>& waypoints) {
    std::vector<unsigned char>& records = record_storage();
    records.assign(waypoints.size() * kRecordSize + kRecordSize, 0);
    for (std::size_t i = 0; i < waypoints.size(); ++i) {
        unsigned char* r = records.data() + i * kRecordSize;
        put(r + 12, static_cast<int32_t>(std::lround(waypoints[i].lat * 40007000.0 / 360.0)));
        const long double fraction = static_cast<long double>(waypoints[i].lon) / 360.0L;
        put(r + 16, static_cast<int64_t>(std::llroundl(fraction * 18446744073709551616.0L)));
        std::memcpy(r + 56, waypoints[i].ident.c_str(), std::min<std::size_t>(waypoints[i].ident.size(), 7));
    }
    std::vector<unsigned char>& block = block_storage();
    std::fill(block.begin(), block.end(), 0);
    put(block.data(), static_cast<uint32_t>(kBlockSize));
    put(block.data() + 168, static_cast<uint32_t>(waypoints.size()));
    put(block.data() + 172, static_cast<const unsigned char*>(waypoints.empty() ? nullptr : records.data()));
    register_module_var(block.data(), 0, "FS2002 GPS DATA");
}

bool gps_command(const std::string& text, bool apply, std::string& error) {
    std::istringstream in(text);
    std::vector<std::string> words;
    for (std::string w; in >> w;)
        words.push_back(w);
    std::vector<GpsPlanWaypoint> plan;
    if (!(words.size() == 1 && words[0] == "clear")) {
        if (words.empty() || words.size() % 3 != 0) {
            error = "gps needs IDENT LAT LON triples or 'clear'";
            return false;
        }
        for (std::size_t i = 0; i < words.size(); i += 3) {
            GpsPlanWaypoint w;
            w.ident = words[i];
            if (!parse_number(words[i + 1], w.lat) || !parse_number(words[i + 2], w.lon) ||
                std::fabs(w.lat) > 90.0 || std::fabs(w.lon) > 180.0) {
                error = "gps waypoint '" + w.ident + "' needs a latitude and a longitude in degrees";
                return false;
            }
            plan.push_back(w);
        }
    }
    if (apply) publish_gps_plan(plan);
    return true;
}

} // namespace host
