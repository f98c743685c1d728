// World-size navigation database benchmark: load time against a plain line
// count of the same files, peak resident memory, and each nearby-list builder
// against the plain scan it replaces (with its results checked identical),
// and one refresh of the GNS closest-airport page.
//
//   orvex-bench [world folder]
//
// The world folder is a simulator root holding orvex/navdata/*.txt; by
// default the one generated into the build folder.
#include "data/nav_database.h"
#include "fms/math/nav_math.h"
#include "fms/nav/nearby_lists.h"
#include "gns_mcu/gns_direct.h"
#include "platform/os.h"
#include "platform/text_file.h"
#include "sim/host_folder.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <sys/resource.h>
#include <vector>

#ifndef ORVEX_WORLD_DIR
#define ORVEX_WORLD_DIR "world"
#endif

namespace {

using Clock = std::chrono::steady_clock;

double ms_since(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

long peak_rss_kb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

const char* const kFiles[] = {"ints.txt", "ints_user.txt", "awys.txt", "awys_user.txt",
                              "apts.txt", "apts_user.txt", "navs.txt", "navs_user.txt"};

std::string nav_file(const char* name) {
    return os::host_path(host_folder + "\\orvex\\navdata\\" + name);
}

// The plain line count: each file read line by line with the C library
// into a buffer of the loader's size, nothing parsed or kept.
long count_lines_fgets() {
    long lines = 0;
    char buffer[1700];
    for (const char* name : kFiles) {
        std::FILE* f = std::fopen(nav_file(name).c_str(), "r");
        if (!f) continue;
        while (std::fgets(buffer, sizeof buffer, f))
            ++lines;
        std::fclose(f);
    }
    return lines;
}

// The same count through the module's own line readers: read_line, as the
// small loaders use it, and LineReader, as every big one does.
long count_lines_read_line() {
    long lines = 0;
    std::string line;
    for (const char* name : kFiles) {
        std::FILE* f = std::fopen(nav_file(name).c_str(), "r");
        if (!f) continue;
        while (read_line(f, line, 1698))
            ++lines;
        std::fclose(f);
    }
    return lines;
}

long count_lines_line_reader() {
    long lines = 0;
    std::string line;
    for (const char* name : kFiles) {
        std::FILE* f = std::fopen(nav_file(name).c_str(), "r");
        if (!f) continue;
        LineReader reader(f, 1698);
        while (reader.next(line))
            ++lines;
        std::fclose(f);
    }
    return lines;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

double time_ms(long (*count)()) {
    const Clock::time_point t = Clock::now();
    count();
    return ms_since(t);
}

struct Centre {
    double latitude;
    double longitude;
};

// Edge centres, centres around busy airspace (where the maps spend their
// time and the lists are full) and centres spread evenly over the globe.
std::vector<Centre> bench_centres() {
    std::vector<Centre> centres = {{90.0, 0.0},    {-90.0, 0.0},   {89.5, 45.0},  {-88.0, -120.0},
                                   {0.0, 180.0},   {0.0, -180.0},  {45.0, 179.9}, {-35.0, -179.9},
                                   {65.0, -179.5}, {-17.8, 179.9}, {0.0, 0.0},    {60.0, -0.01}};
    const Centre busy[] = {{51.5, -0.5},   {50.0, 8.6},   {49.0, 2.5},    {40.6, -73.8},  {41.9, -87.9},
                           {33.9, -118.4}, {35.6, 139.8}, {31.1, 121.8},  {1.4, 104.0},   {-33.9, 151.2},
                           {25.3, 55.4},   {55.9, 37.4},  {-23.4, -46.5}, {47.4, -122.3}, {40.5, -3.6}};
    std::mt19937 rng(2024);
    std::uniform_real_distribution<double> u(0.0, 1.0);
    std::uniform_real_distribution<double> offset(-2.0, 2.0);
    for (int i = 0; i < 90; ++i) {
        const Centre& b = busy[i % 15];
        centres.push_back({b.latitude + offset(rng), b.longitude + offset(rng)});
    }
    while (centres.size() < 200)
        centres.push_back({std::asin(2.0 * u(rng) - 1.0) * 57.29577951308232, u(rng) * 360.0 - 180.0});
    return centres;
}

NavFields list_fields(bool navaid_fields) {
    return navaid_fields ? NavFields::ident_kind_extra : NavFields::ident;
}

// The builder as a plain scan: a distance for every source record, the
// records taken into the list as the builders take them.
template <class Source, class List>
void naive_build(const Source& source, List& list, int limit, double radius, bool navaid_fields,
                 double latitude, double longitude) {
    list.clear();
    for (int i = 1; i <= source.count(); ++i) {
        const NavEntry& r = source.entry(i);
        double distance = 0.0, course = 0.0;
        gc_dist_course(latitude, longitude, r.latitude, r.longitude, &distance, &course);
        if (distance <= radius && list.count() < limit)
            list.append_from(source, i, list_fields(navaid_fields));
    }
}

template <class A, class B> bool same_list(const A& a, const B& b) {
    if (a.count() != b.count()) return false;
    for (int i = 1; i <= a.count(); ++i)
        if (a[i].ident != b[i].ident || a[i].latitude != b[i].latitude || a[i].longitude != b[i].longitude ||
            a[i].kind != b[i].kind || a[i].extra != b[i].extra)
            return false;
    return true;
}

struct BuilderResult {
    const char* name;
    double first_ms = 0.0; // first call after the load (builds the grid)
    double fast_us = 0.0;  // mean per call
    double naive_us = 0.0;
    double copy_us = 0.0; // copying the result alone: the floor of any builder
    double mean_count = 0.0;
    int mismatches = 0;
};

// Copies a built list into another as the builders copy records: the part of
// a build that no prefilter saves.
template <class List> double time_copy(const List& from, bool navaid_fields) {
    static NavTable<8001> to;
    const Clock::time_point start = Clock::now();
    to.clear();
    for (int i = 1; i <= from.count(); ++i)
        to.append_from(from, i, list_fields(navaid_fields));
    return ms_since(start);
}

// Times one wide builder and its naive twin over all centres.
template <class Source, class List>
BuilderResult bench_wide(const char* name, void (*builder)(double, double), const Source& source, List& list,
                         const std::vector<Centre>& centres, bool navaid_fields) {
    BuilderResult r{name};
    static List naive; // same shape as the list, kept off the stack
    Clock::time_point t = Clock::now();
    builder(centres[0].latitude, centres[0].longitude);
    r.first_ms = ms_since(t);

    double fast_ms = 0.0, naive_ms = 0.0, copy_ms = 0.0;
    long total = 0;
    // Turn about which goes first, so that neither always finds the other's
    // data in the cache.
    bool fast_first = true;
    for (const Centre& c : centres) {
        auto run_fast = [&] {
            const Clock::time_point start = Clock::now();
            builder(c.latitude, c.longitude);
            fast_ms += ms_since(start);
        };
        auto run_naive = [&] {
            const Clock::time_point start = Clock::now();
            naive_build(source, naive, 3000, 600.0, navaid_fields, c.latitude, c.longitude);
            naive_ms += ms_since(start);
        };
        if (fast_first) {
            run_fast();
            run_naive();
        } else {
            run_naive();
            run_fast();
        }
        fast_first = !fast_first;
        copy_ms += time_copy(naive, navaid_fields);
        total += list.count();
        if (!same_list(list, naive)) ++r.mismatches;
    }
    r.copy_us = copy_ms * 1000.0 / static_cast<double>(centres.size());
    r.fast_us = fast_ms * 1000.0 / static_cast<double>(centres.size());
    r.naive_us = naive_ms * 1000.0 / static_cast<double>(centres.size());
    r.mean_count = static_cast<double>(total) / static_cast<double>(centres.size());
    return r;
}

// Times one close builder: its wide list is built around each centre first
// (untimed), the close list 40 NM away as after the aircraft has moved.
template <class Wide, class List>
BuilderResult bench_close(const char* name, void (*wide_builder)(double, double),
                          void (*builder)(double, double), const Wide& wide, List& list, int limit,
                          double radius, const std::vector<Centre>& centres, bool navaid_fields) {
    BuilderResult r{name};
    static List naive;
    double fast_ms = 0.0, naive_ms = 0.0, copy_ms = 0.0;
    long total = 0;
    bool first = true;
    bool fast_first = true;
    for (const Centre& c : centres) {
        wide_builder(c.latitude, c.longitude);
        const double lat = c.latitude > 0 ? c.latitude - 0.5 : c.latitude + 0.5;
        const double lon = c.longitude + 0.3;
        auto run_fast = [&] {
            const Clock::time_point start = Clock::now();
            builder(lat, lon);
            const double ms = ms_since(start);
            if (first) r.first_ms = ms;
            first = false;
            fast_ms += ms;
        };
        auto run_naive = [&] {
            const Clock::time_point start = Clock::now();
            naive_build(wide, naive, limit, radius, navaid_fields, lat, lon);
            naive_ms += ms_since(start);
        };
        if (fast_first) {
            run_fast();
            run_naive();
        } else {
            run_naive();
            run_fast();
        }
        fast_first = !fast_first;
        copy_ms += time_copy(naive, navaid_fields);
        total += list.count();
        if (!same_list(list, naive)) ++r.mismatches;
    }
    r.copy_us = copy_ms * 1000.0 / static_cast<double>(centres.size());
    r.fast_us = fast_ms * 1000.0 / static_cast<double>(centres.size());
    r.naive_us = naive_ms * 1000.0 / static_cast<double>(centres.size());
    r.mean_count = static_cast<double>(total) / static_cast<double>(centres.size());
    return r;
}

// One refresh of the GNS DIRECT page's closest airports as the page makes it
// after a long move: the near-airport list, the close list and the nine
// nearest, at every centre. Mean and worst per refresh, ms.
struct RefreshResult {
    double mean_ms = 0.0;
    double worst_ms = 0.0;
};
RefreshResult bench_closest_airport_refresh(const std::vector<Centre>& centres) {
    RefreshResult r;
    double total = 0.0;
    for (const Centre& c : centres) {
        const Clock::time_point start = Clock::now();
        build_near_airports(c.latitude, c.longitude);
        gns_refresh_closest_airports(c.latitude, c.longitude, 0.0);
        const double ms = ms_since(start);
        total += ms;
        r.worst_ms = std::max(r.worst_ms, ms);
    }
    r.mean_ms = total / static_cast<double>(centres.size());
    return r;
}

const char* verdict(bool met) {
    return met ? "MET" : "MISSED";
}

} // namespace

int main(int argc, char** argv) {
    const std::string world = argc > 1 ? argv[1] : ORVEX_WORLD_DIR;
    host_folder = world;
    std::FILE* probe = std::fopen(nav_file("ints.txt").c_str(), "r");
    if (!probe) {
        std::fprintf(stderr, "orvex-bench: no navigation database under %s/orvex/navdata\n", world.c_str());
        return 2;
    }
    std::fclose(probe);
    std::printf("world database: %s\n", world.c_str());
    const long rss_start = peak_rss_kb();

    // Files into the page cache first, so that every timing reads memory.
    const long lines = count_lines_fgets();

    // The first load is the one the simulator's start-up pays: it also takes
    // the tables' memory from the system. Later loads reuse what the first
    // one gave back. On a loaded machine each figure is the median of rounds
    // that take every measurement in turn, each load as a ratio to the plain
    // count of its own round.
    Clock::time_point t = Clock::now();
    load_nav_database();
    const double load_ms = ms_since(t);
    const double first_count_ms = time_ms(count_lines_fgets);
    std::vector<double> count_ms, read_line_ms, line_reader_ms, reload_ms, reload_ratio, reader_ratio;
    for (int round = 0; round < 7; ++round) {
        count_ms.push_back(time_ms(count_lines_fgets));
        read_line_ms.push_back(time_ms(count_lines_read_line));
        line_reader_ms.push_back(time_ms(count_lines_line_reader));
        t = Clock::now();
        load_nav_database();
        reload_ms.push_back(ms_since(t));
        reload_ratio.push_back(reload_ms.back() / count_ms.back());
        reader_ratio.push_back(read_line_ms.back() / count_ms.back());
    }
    const long rss_loaded = peak_rss_kb();
    const double reload_goal = median(reload_ratio);

    std::printf("\nrecords: %d intersections, %d airway fixes, %d airports, %d navaids (%ld lines)\n",
                intersection_table.count(), airway_fix_table.count(), airport_table.count(),
                navaid_table.count(), lines);
    std::printf("medians of 7 rounds:\n");
    std::printf("plain line count (fgets):      %8.1f ms\n", median(count_ms));
    std::printf("line count with read_line:     %8.1f ms   ratio %.1f\n", median(read_line_ms),
                median(reader_ratio));
    std::printf("line count with LineReader:    %8.1f ms\n", median(line_reader_ms));
    std::printf(
        "load_nav_database, reloaded:   %8.1f ms   ratio to the plain count %.1f (goal at most 5: %s)\n",
        median(reload_ms), reload_goal, verdict(reload_goal <= 5.0));
    std::printf("load_nav_database, first:      %8.1f ms   ratio %.1f to a plain count of %.1f ms after it "
                "(goal at most 5: %s)\n",
                load_ms, load_ms / first_count_ms, first_count_ms, verdict(load_ms <= 5.0 * first_count_ms));
    std::printf(
        "a table record: %zu bytes and its texts (%zu bytes of texts for all %d records)\n", sizeof(NavEntry),
        intersection_table.texts().size() + airway_fix_table.texts().size() + airport_table.texts().size() +
            navaid_table.texts().size(),
        intersection_table.count() + airway_fix_table.count() + airport_table.count() + navaid_table.count());

    const std::vector<Centre> centres = bench_centres();
    std::vector<BuilderResult> results;
    results.push_back(
        bench_wide("build_near_airports", build_near_airports, airport_table, near_airports, centres, false));
    results.push_back(
        bench_wide("build_near_navaids", build_near_navaids, navaid_table, near_navaids, centres, true));
    results.push_back(bench_wide("build_near_airway_fixes", build_near_airway_fixes, airway_fix_table,
                                 near_airway_fixes, centres, true));
    results.push_back(bench_close("build_close_airports", build_near_airports, build_close_airports,
                                  near_airports, close_airports, 1000, 180.0, centres, false));
    results.push_back(bench_close("build_local_navaids", build_near_navaids, build_local_navaids,
                                  near_navaids, local_navaids, 1000, 320.0, centres, true));
    results.push_back(bench_close("build_local_airway_fixes", build_near_airway_fixes,
                                  build_local_airway_fixes, near_airway_fixes, local_airway_fixes,
                                  local_airway_fix_limit, 200.0, centres, true));
    const long rss_peak = peak_rss_kb();

    std::printf("\nnearby lists over %zu centres (poles, antimeridian, busy airspace, random):\n",
                centres.size());
    std::printf("%-26s %9s %9s %10s %7s %9s %8s %10s\n", "builder", "first ms", "mean us", "naive us",
                "ratio", "copy us", "records", "identical");
    bool all_identical = true;
    bool all_fast = true;
    for (const BuilderResult& r : results) {
        const double ratio = r.naive_us / r.fast_us;
        all_identical = all_identical && r.mismatches == 0;
        all_fast = all_fast && ratio >= 10.0;
        std::printf("%-26s %9.2f %9.1f %10.1f %7.1f %9.1f %8.1f %10s\n", r.name, r.first_ms, r.fast_us,
                    r.naive_us, ratio, r.copy_us, r.mean_count, r.mismatches == 0 ? "yes" : "NO");
    }
    std::printf("(copy us: copying the built list alone, which every builder does)\n");
    std::printf("goal: nearby lists at least 10x faster than the scan: %s; identical: %s\n",
                verdict(all_fast), all_identical ? "yes" : "NO");

    const RefreshResult refresh = bench_closest_airport_refresh(centres);
    std::printf("\nGNS closest-airport refresh (near list, close list, nine nearest): mean %.2f ms, "
                "worst %.2f ms (goal under 5 ms: %s)\n",
                refresh.mean_ms, refresh.worst_ms, verdict(refresh.worst_ms < 5.0));

    std::printf("\npeak resident memory: %.1f MB at start, %.1f MB after loading, %.1f MB at the end "
                "(goal under 100 MB: %s)\n",
                rss_start / 1024.0, rss_loaded / 1024.0, rss_peak / 1024.0, verdict(rss_peak < 100 * 1024));
    return all_identical ? 0 : 1;
}
