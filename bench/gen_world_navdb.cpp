// orvex-gen-world: writes a world-size navigation database at the tables' full
// capacities (300000 intersections, 150000 airway fix lines, 25000 airports
// with runways, 30000 navaids, 400 ATC boundaries of up to 800 points) in the
// navigation files' own formats, for the load, nearby-list and map benchmarks.
//
// Usage: orvex-gen-world <simulator-folder> [--seed N]
// The files go to <simulator-folder>/orvex/navdata/. The same seed always
// gives the same files: the generator uses its own PRNG and only basic
// arithmetic and <cmath> on the values it draws.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <numbers>
#include <string>
#include <vector>

namespace {

constexpr int kIntersections = 300000;
constexpr int kAirwayLines = 150000;
constexpr int kAirports = 25000;
constexpr int kNavaids = 30000;
constexpr int kBoundaries = 400;
constexpr int kBoundaryPoints = 800;

constexpr double kEarthRadiusNm = 3437.7467707849396;
constexpr double kRad = 0.017453292519943295;

// splitmix64: small, fast and fully specified, so the output does not depend
// on the standard library's distributions.
struct Rng {
    uint64_t state;
    uint64_t next() {
        uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    double uniform() { return double(next() >> 11) * (1.0 / 9007199254740992.0); } // [0, 1)
    double range(double low, double high) { return low + (high - low) * uniform(); }
    int below(int n) { return int(uniform() * n); }
    double gaussian() { // Box-Muller
        double u = uniform();
        double v = uniform();
        return std::sqrt(-2.0 * std::log(1.0 - u)) * std::cos(2.0 * std::numbers::pi * v);
    }
};

struct Pos {
    double lat;
    double lon;
};

double wrap_lon(double lon) {
    while (lon >= 180.0)
        lon -= 360.0;
    while (lon < -180.0)
        lon += 360.0;
    return lon;
}

// Great-circle destination: correct across the antimeridian and over a pole.
Pos destination(Pos from, double course_deg, double dist_nm) {
    double la1 = from.lat * kRad, lo1 = from.lon * kRad, c = course_deg * kRad;
    double d = dist_nm / kEarthRadiusNm;
    double la2 = std::asin(std::sin(la1) * std::cos(d) + std::cos(la1) * std::sin(d) * std::cos(c));
    double lo2 = lo1 + std::atan2(std::sin(c) * std::sin(d) * std::cos(la1),
                                  std::cos(d) - std::sin(la1) * std::sin(la2));
    return {la2 / kRad, wrap_lon(lo2 / kRad)};
}

// Centres where records crowd, as in real data (weight = share of the hub
// draws), plus hubs on purpose near both poles and across the antimeridian.
struct Hub {
    double lat, lon, spread_nm, weight;
};
const Hub kHubs[] = {
    {40.6, -73.8, 250, 6},
    {41.9, -87.9, 300, 5},
    {33.9, -118.4, 250, 5},
    {47.4, -122.3, 250, 3},
    {32.9, -97.0, 300, 4},
    {33.6, -84.4, 300, 4},
    {39.8, -104.7, 300, 3},
    {25.8, -80.3, 200, 2},
    {45.5, -73.7, 250, 2},
    {49.2, -123.2, 200, 1},
    {19.4, -99.1, 250, 2},
    {-23.4, -46.5, 300, 2},
    {-34.8, -58.5, 250, 1},
    {4.7, -74.1, 250, 1},
    {51.5, -0.5, 250, 6},
    {49.0, 2.5, 250, 5},
    {50.0, 8.6, 250, 5},
    {52.3, 4.8, 150, 3},
    {47.5, 8.6, 150, 3},
    {40.5, -3.6, 300, 3},
    {41.8, 12.3, 300, 3},
    {59.7, 17.9, 300, 2},
    {55.9, 37.4, 400, 2},
    {41.3, 28.8, 300, 2},
    {25.3, 55.4, 250, 2},
    {28.6, 77.1, 400, 2},
    {19.1, 72.9, 300, 1},
    {1.4, 104.0, 250, 2},
    {13.7, 100.7, 300, 1},
    {22.3, 113.9, 250, 2},
    {31.1, 121.8, 300, 3},
    {40.1, 116.6, 300, 3},
    {35.6, 139.8, 250, 3},
    {37.5, 126.4, 200, 2},
    {-33.9, 151.2, 300, 2},
    {-37.7, 144.8, 250, 1},
    {-26.1, 28.2, 300, 1},
    {30.1, 31.4, 250, 1},
    {6.6, 3.3, 250, 1},
    {64.1, -21.9, 150, 1},
    {61.2, -150.0, 400, 2},
    {21.3, -157.9, 200, 1},
    {-36.9, 174.8, 250, 1},
    // Near the poles and across the antimeridian.
    {88.5, 0.0, 300, 1},
    {-89.0, 60.0, 300, 1},
    {52.0, 179.8, 300, 1},
    {-17.8, 179.9, 250, 1},
    {65.5, -179.5, 300, 1},
    {-43.9, -176.5, 150, 1},
    {78.2, 15.5, 200, 1},
    {-77.8, 166.7, 200, 1},
};

struct Placer {
    Rng& rng;
    double total_weight = 0;
    explicit Placer(Rng& r) : rng(r) {
        for (const Hub& h : kHubs)
            total_weight += h.weight;
    }
    Pos uniform_sphere() { return {std::asin(rng.range(-1.0, 1.0)) / kRad, rng.range(-180.0, 180.0)}; }
    Pos near_hub() {
        double w = rng.uniform() * total_weight;
        const Hub* hub = &kHubs[0];
        for (const Hub& h : kHubs) {
            hub = &h;
            if ((w -= h.weight) < 0) break;
        }
        return destination({hub->lat, hub->lon}, rng.range(0.0, 360.0),
                           std::fabs(rng.gaussian()) * hub->spread_nm);
    }
    // Mixture: hubs, the whole sphere, the polar caps and the antimeridian band.
    Pos place() {
        double u = rng.uniform();
        if (u < 0.55) return near_hub();
        if (u < 0.90) return uniform_sphere();
        if (u < 0.95) {
            double lat = rng.range(80.0, 90.0);
            return {rng.uniform() < 0.5 ? lat : -lat, rng.range(-180.0, 180.0)};
        }
        return {std::asin(rng.range(-0.95, 0.95)) / kRad, wrap_lon(180.0 + rng.range(-2.0, 2.0))};
    }
};

// Base-26 letters of a number, fixed width.
std::string letters(uint64_t n, int width) {
    std::string s(width, 'A');
    for (int i = width - 1; i >= 0; --i) {
        s[i] = char('A' + n % 26);
        n /= 26;
    }
    return s;
}

// Unique idents in a scrambled order: multiplying by a number coprime to
// 26^width permutes 0 .. 26^width - 1.
std::string unique_ident(uint64_t i, int width) {
    uint64_t space = 1;
    for (int k = 0; k < width; ++k)
        space *= 26;
    return letters((i * 2654435761ull + 977) % space, width);
}

struct Record {
    std::string ident;
    std::string line;
};

// Writes the lines sorted by ident (stable), as database files come.
bool write_sorted(const std::filesystem::path& file, const std::string& header,
                  std::vector<Record>& records) {
    std::stable_sort(records.begin(), records.end(),
                     [](const Record& a, const Record& b) { return a.ident < b.ident; });
    std::FILE* f = std::fopen(file.string().c_str(), "wb");
    if (!f) return false;
    std::fputs(header.c_str(), f);
    for (const Record& r : records) {
        std::fputs(r.line.c_str(), f);
        std::fputc('\n', f);
    }
    return std::fclose(f) == 0;
}

std::string format(const char* fmt, ...) __attribute__((format(printf, 1, 2)));
std::string format(const char* fmt, ...) {
    char buffer[1024];
    va_list args;
    va_start(args, fmt);
    std::vsnprintf(buffer, sizeof buffer, fmt, args);
    va_end(args);
    return buffer;
}

// Intersections and airways. Airways are chains of new fixes, stepping 25 to
// 90 NM with a drifting course; about a third start at a fix of an earlier
// airway, so the network joins up. The rest of the intersections stand alone.
bool write_intersections_and_airways(const std::filesystem::path& dir, Rng& rng, Placer& placer) {
    static const char* const kPrefixes[] = {"V",  "J",  "A", "B", "G", "R", "UL",
                                            "UM", "UN", "Q", "T", "W", "H"};
    constexpr int kPrefixCount = int(sizeof kPrefixes / sizeof kPrefixes[0]);
    std::vector<Record> ints;
    ints.reserve(kIntersections);
    std::vector<Pos> fix_pos;
    std::vector<std::string> fix_ident;
    fix_pos.reserve(kIntersections);
    fix_ident.reserve(kIntersections);
    auto add_fix = [&](Pos p) {
        std::string ident = unique_ident(fix_ident.size(), 5);
        ints.push_back({ident, format("%s %s %.6f %.6f", ident.c_str(), ident.c_str(), p.lat, p.lon)});
        fix_pos.push_back(p);
        fix_ident.push_back(ident);
        return int(fix_ident.size()) - 1;
    };

    std::FILE* awys = std::fopen((dir / "awys.txt").string().c_str(), "wb");
    if (!awys) return false;
    std::fputs("; airway sequence fix latitude longitude\n", awys);
    int lines = 0;
    for (int airway = 0; lines < kAirwayLines; ++airway) {
        std::string name = format("%s%d", kPrefixes[airway % kPrefixCount], airway / kPrefixCount + 1);
        int remaining = kAirwayLines - lines;
        int length = std::min(5 + rng.below(26), remaining);
        if (remaining - length == 1) --length; // never leave a one-fix airway for the end
        int fix =
            (airway > 0 && rng.uniform() < 0.35) ? rng.below(int(fix_ident.size())) : add_fix(placer.place());
        double course = rng.range(0.0, 360.0);
        for (int seq = 1; seq <= length && lines < kAirwayLines; ++seq) {
            if (seq > 1) {
                course = std::fmod(course + rng.range(-15.0, 15.0) + 360.0, 360.0);
                Pos p = destination(fix_pos[fix], course, rng.range(25.0, 90.0));
                fix = add_fix(p);
            }
            std::fprintf(awys, "%s %d %s %.6f %.6f\n", name.c_str(), seq, fix_ident[fix].c_str(),
                         fix_pos[fix].lat, fix_pos[fix].lon);
            ++lines;
        }
    }
    if (std::fclose(awys) != 0) return false;
    while (int(fix_ident.size()) < kIntersections)
        add_fix(placer.place());
    return write_sorted(dir / "ints.txt", "; ident name latitude longitude\n", ints);
}

bool write_navaids(const std::filesystem::path& dir, Rng& rng, Placer& placer) {
    std::vector<Record> navs;
    navs.reserve(kNavaids);
    for (int i = 0; i < kNavaids; ++i) {
        Pos p = placer.place();
        bool vor = rng.uniform() < 0.6;
        // Idents repeat around the world, as real ones do; the loaders tell
        // them apart by latitude. NDBs have two or three letters.
        int width = (vor || rng.uniform() < 0.5) ? 3 : 2;
        std::string ident = letters(rng.next() % (width == 3 ? 17576 : 676), width);
        std::string freq;
        if (vor) {
            // 108.00 to 117.95 in 50 kHz steps, even tenths below 112 MHz.
            int channel = rng.below(200);
            double mhz = 108.0 + channel * 0.05;
            if (mhz < 112.0 && int(std::floor(mhz * 10.0 + 1e-6)) % 2 == 1) mhz -= 0.1;
            freq = format("%.2f", mhz);
        } else {
            freq = format("%d", 190 + rng.below(1561));
        }
        navs.push_back({ident, format("%s %s%05d %.6f %.6f %s %s", ident.c_str(), vor ? "VOR" : "NDB", i,
                                      p.lat, p.lon, vor ? "VOR" : "NDB", freq.c_str())});
    }
    return write_sorted(dir / "navs.txt",
                        ";AIRAC cycle : 0501 (20-JAN-2005 - 16-FEB-2005)\n"
                        "; ident name latitude longitude type frequency\n",
                        navs);
}

std::string runway_token(const std::string& designator, int length, Pos threshold, double heading, Rng& rng) {
    bool ils = rng.uniform() < 0.3;
    std::string freq = "000.00", kind = "---";
    double course = 0.0;
    if (ils) {
        // Localizers: 108.10 to 111.95 with odd tenths.
        int channel = rng.below(40);
        double mhz = 108.1 + (channel / 2) * 0.2 + (channel % 2) * 0.05;
        freq = format("%.2f", mhz);
        kind = "ILS";
        course = heading;
    }
    return format("%s_%d_%.6f_%.6f_%.1f_%s_%s_%.1f", designator.c_str(), length, threshold.lat, threshold.lon,
                  heading, freq.c_str(), kind.c_str(), course);
}

std::string designator(int number, char side) {
    std::string d = format("%02d", number);
    if (side) d += side;
    return d;
}

bool write_airports(const std::filesystem::path& dir, Rng& rng, Placer& placer) {
    std::vector<Record> apts;
    apts.reserve(kAirports);
    for (int i = 0; i < kAirports; ++i) {
        std::string ident = unique_ident(i, 4);
        Pos centre = placer.place();
        int elevation = rng.uniform() < 0.02 ? -rng.below(60) : int(std::fabs(rng.gaussian()) * 1500.0);
        if (rng.uniform() < 0.03) elevation = 5000 + rng.below(9500);
        double u = rng.uniform();
        int runways = u < 0.55 ? 1 : u < 0.85 ? 2 : u < 0.95 ? 3 : 4;
        // With two or more runways, half the airports have the first two
        // parallel: the first on the left (L at its number end), the second
        // on the right.
        bool parallel = runways >= 2 && rng.uniform() < 0.5;
        std::string line =
            format("%s AIRPORT-%05d %d %.6f %.6f", ident.c_str(), i, elevation, centre.lat, centre.lon);
        std::vector<int> used; // runway numbers of this airport
        int first_number = 0;
        for (int r = 0; r < runways; ++r) {
            int number = first_number;
            if (!(parallel && r == 1)) {
                do
                    number = 1 + rng.below(18);
                while (std::find(used.begin(), used.end(), number) != used.end());
                used.push_back(number);
            }
            if (r == 0) first_number = number;
            char side = 0, opposite_side = 0;
            double offset = rng.range(0.0, 0.8); // NM to the right of the reference point
            if (parallel && r < 2) {
                side = r == 0 ? 'L' : 'R';
                opposite_side = r == 0 ? 'R' : 'L';
                offset = r == 0 ? -0.4 : 0.4;
            }
            double heading = std::fmod(number * 10.0 + rng.range(-4.0, 4.0) + 360.0, 360.0);
            int length = 2000 + rng.below(11001);
            Pos mid = destination(centre, heading + (offset < 0 ? 270.0 : 90.0), std::fabs(offset));
            double half = length / 2.0 / 6076.12;
            Pos thr1 = destination(mid, heading + 180.0, half);
            Pos thr2 = destination(mid, heading, half);
            line += ' ';
            line += runway_token(designator(number, side), length, thr1, heading, rng);
            line += ' ';
            line += runway_token(designator(number + 18, opposite_side), length, thr2,
                                 std::fmod(heading + 180.0, 360.0), rng);
        }
        apts.push_back({ident, line});
    }
    return write_sorted(dir / "apts.txt",
                        "; ident name elevation latitude longitude, then runway ends:\n"
                        "; designator_length_latitude_longitude_heading_ILS-freq_kind_ILS-course\n",
                        apts);
}

// ATC boundaries: irregular closed rings of 100 to 800 points (the last
// repeats the first), 40 to 400 NM across, placed as the other records are.
// A boundary's first line carries its id and label name, every further line
// of the same id one point.
bool write_boundaries(const std::filesystem::path& dir, Rng& rng, Placer& placer) {
    std::FILE* f = std::fopen((dir / "atc_bdry.txt").string().c_str(), "wb");
    if (!f) return false;
    std::fputs("; id name, then id index latitude longitude for each point\n", f);
    for (int b = 0; b < kBoundaries; ++b) {
        const std::string id = format("XB%05d", b + 1);
        std::fprintf(f, "%s %s\n", id.c_str(), unique_ident(b, 3).c_str());
        const Pos centre = placer.place();
        const double radius = rng.range(20.0, 200.0);
        const int points = 100 + rng.below(kBoundaryPoints - 100 + 1);
        const double wobble = rng.range(0.05, 0.3);
        for (int k = 0; k < points - 1; ++k) {
            const double angle = 360.0 * k / (points - 1);
            const Pos p = destination(centre, angle, radius * (1.0 + wobble * std::sin(angle * kRad * 5.0)));
            std::fprintf(f, "%s %d %.5f %.5f\n", id.c_str(), k + 1, p.lat, p.lon);
        }
        const Pos first = destination(centre, 0.0, radius);
        std::fprintf(f, "%s %d %.5f %.5f\n", id.c_str(), points, first.lat, first.lon);
    }
    return std::fclose(f) == 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <simulator-folder> [--seed N]\n", argv[0]);
        return 2;
    }
    uint64_t seed = 20050120;
    for (int i = 2; i + 1 < argc; i += 2)
        if (std::strcmp(argv[i], "--seed") == 0) seed = std::strtoull(argv[i + 1], nullptr, 10);

    std::filesystem::path dir = std::filesystem::path(argv[1]) / "orvex" / "navdata";
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    if (ec) {
        std::fprintf(stderr, "cannot create %s: %s\n", dir.string().c_str(), ec.message().c_str());
        return 1;
    }

    auto start = std::chrono::steady_clock::now();
    Rng rng{seed};
    Placer placer(rng);
    bool ok = write_intersections_and_airways(dir, rng, placer) && write_navaids(dir, rng, placer) &&
              write_airports(dir, rng, placer) && write_boundaries(dir, rng, placer);
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (!ok) {
        std::fprintf(stderr, "writing into %s failed\n", dir.string().c_str());
        return 1;
    }

    std::uintmax_t total = 0;
    const std::pair<const char*, int> files[] = {{"ints.txt", kIntersections},
                                                 {"awys.txt", kAirwayLines},
                                                 {"apts.txt", kAirports},
                                                 {"navs.txt", kNavaids},
                                                 {"atc_bdry.txt", kBoundaries}};
    for (const auto& [name, records] : files) {
        std::uintmax_t size = std::filesystem::file_size(dir / name, ec);
        total += size;
        std::printf("%-12s %7d records %10ju bytes\n", name, records, size);
    }
    std::printf("total %ju bytes (%.1f MB) in %.2f s, seed %llu, into %s\n", total, total / 1048576.0,
                seconds, static_cast<unsigned long long>(seed), dir.string().c_str());
    return 0;
}
