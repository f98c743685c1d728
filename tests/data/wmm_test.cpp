#include "data/wmm.h"
#include "fms/math/magnetic_variation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

// ---- Reference: the published WMM-2005 file evaluated in double precision
// with the textbook Schmidt semi-normalised recursion in colatitude and an
// explicit ECEF conversion, independent of the module's routine.

struct Coefficient {
    int n, m;
    double g, h, g_dot, h_dot;
};

std::string cof_path() {
    return std::string(ORVEX_TEST_DATA_DIR) + "/fms/data/WMM2005.COF";
}

std::vector<std::string> read_cof_lines() {
    std::vector<std::string> lines;
    std::FILE* f = std::fopen(cof_path().c_str(), "rb");
    if (!f) return lines;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, f)) {
        std::string line(buffer);
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
            line.pop_back();
        lines.push_back(line);
    }
    std::fclose(f);
    return lines;
}

std::vector<Coefficient> read_cof_coefficients() {
    std::vector<Coefficient> out;
    for (const std::string& line : read_cof_lines()) {
        Coefficient c{};
        if (line.rfind("9999", 0) == 0) break;
        if (std::sscanf(line.c_str(), "%d %d %lf %lf %lf %lf", &c.n, &c.m, &c.g, &c.h, &c.g_dot, &c.h_dot) ==
            6)
            out.push_back(c);
    }
    return out;
}

struct Field {
    double declination, inclination, intensity;
};

Field reference_field(double lat_deg, double lon_deg, double alt_km, double year) {
    static const std::vector<Coefficient> coefficients = read_cof_coefficients();
    constexpr int N = 12;
    const double k = M_PI / 180.0;

    // Geodetic to geocentric through earth-centred coordinates.
    const double a = 6378.137, b = 6356.7523142, ref_radius = 6371.2;
    const double e2 = 1.0 - (b * b) / (a * a);
    const double phi = lat_deg * k, lambda = lon_deg * k;
    const double nu = a / std::sqrt(1.0 - e2 * std::sin(phi) * std::sin(phi));
    const double p = (nu + alt_km) * std::cos(phi);
    const double z = (nu * (1.0 - e2) + alt_km) * std::sin(phi);
    const double r = std::hypot(p, z);
    const double phi_c = std::atan2(z, p);
    const double theta = M_PI / 2.0 - phi_c;
    const double x = std::cos(theta), s = std::sin(theta);

    // Schmidt semi-normalised P[n][m](cos theta) and d/dtheta.
    double P[N + 1][N + 1] = {}, dP[N + 1][N + 1] = {};
    P[0][0] = 1.0;
    for (int n = 1; n <= N; ++n) {
        for (int m = 0; m <= n; ++m) {
            if (n == m) {
                const double f = n == 1 ? 1.0 : std::sqrt((2.0 * n - 1.0) / (2.0 * n));
                P[n][n] = f * s * P[n - 1][n - 1];
                dP[n][n] = f * (x * P[n - 1][n - 1] + s * dP[n - 1][n - 1]);
            } else {
                const double p2 = m <= n - 2 ? P[n - 2][m] : 0.0;
                const double dp2 = m <= n - 2 ? dP[n - 2][m] : 0.0;
                const double root = std::sqrt(double((n - 1) * (n - 1) - m * m));
                const double denom = std::sqrt(double(n * n - m * m));
                P[n][m] = ((2.0 * n - 1.0) * x * P[n - 1][m] - root * p2) / denom;
                dP[n][m] = ((2.0 * n - 1.0) * (x * dP[n - 1][m] - s * P[n - 1][m]) - root * dp2) / denom;
            }
        }
    }

    double b_r = 0.0, b_theta = 0.0, b_phi = 0.0;
    const double dt = year - 2005.0;
    for (const Coefficient& c : coefficients) {
        const double g = c.g + dt * c.g_dot, h = c.h + dt * c.h_dot;
        const double ratio = std::pow(ref_radius / r, c.n + 2);
        const double cos_m = std::cos(c.m * lambda), sin_m = std::sin(c.m * lambda);
        b_r += (c.n + 1) * ratio * (g * cos_m + h * sin_m) * P[c.n][c.m];
        b_theta -= ratio * (g * cos_m + h * sin_m) * dP[c.n][c.m];
        b_phi += ratio * c.m * (g * sin_m - h * cos_m) * P[c.n][c.m] / s;
    }

    // Geocentric north, east, down; rotated onto the geodetic vertical.
    const double x_c = -b_theta, y_c = b_phi, z_c = -b_r;
    const double psi = phi_c - phi;
    const double north = x_c * std::cos(psi) - z_c * std::sin(psi);
    const double down = x_c * std::sin(psi) + z_c * std::cos(psi);
    const double horizontal = std::hypot(north, y_c);
    return {std::atan2(y_c, north) / k, std::atan2(down, horizontal) / k,
            std::sqrt(horizontal * horizontal + down * down)};
}

struct ModelField {
    float declination = 0, inclination = 0, intensity = 0, grid = 0;
};

ModelField model_field(float lat, float lon, float alt_km, float year) {
    ModelField f;
    wmm_evaluate(alt_km, lat, lon, year, &f.declination, &f.inclination, &f.intensity, &f.grid);
    return f;
}

struct Place {
    const char* name;
    double lat, lon;
};

// Spread over both hemispheres, away from the magnetic poles.
const Place places[] = {
    {"Boulder", 40.0, -105.25},  {"London", 51.5, -0.13},    {"New York", 40.7, -74.0},
    {"Sydney", -33.9, 151.2},    {"Tokyo", 35.7, 139.7},     {"Cape Town", -33.9, 18.4},
    {"Null Island", 0.0, 0.0},   {"Reykjavik", 64.1, -21.9}, {"Anchorage", 61.2, -149.9},
    {"Sao Paulo", -23.5, -46.6}, {"Delhi", 28.6, 77.2},      {"Punta Arenas", -53.2, -70.9},
    {"Date line", 10.0, 180.0},  {"Moscow", 55.75, 37.6},
};

} // namespace

TEST(WmmCoefficients, EmbeddedTextIsThePublishedFile) {
    const std::vector<std::string> cof = read_cof_lines();
    ASSERT_EQ(cof.size(), 93u) << cof_path();

    load_wmm_coefficients();
    EXPECT_EQ(wmm_text_line_count, 92);
    EXPECT_STREQ(wmm_text_lines[0], "  2005.0            WMM-2005        10/18/2004 ");
    // Coefficient and end lines: the file's own line form plus one blank.
    for (int i = 1; i < 93; ++i)
        EXPECT_EQ(std::string(wmm_text_lines[i]), cof[i] + " ") << "line " << i;
    EXPECT_EQ(std::strlen(wmm_text_lines[91]), 49u);
    EXPECT_EQ(std::string(wmm_text_lines[92]), std::string(48, '9') + " ");
    EXPECT_STREQ(wmm_text_lines[1], "  1  0  -29556.8       0.0        8.0        0.0 ");
    EXPECT_STREQ(wmm_text_lines[90], " 12 12      -0.1       0.8        0.0        0.0 ");
}

TEST(WmmReference, MatchesPublishedDeclinationsAtKnownPlaces) {
    // Rough published 2005 declinations: guards the reference itself.
    struct Known {
        double lat, lon, declination;
    } known[] = {
        {40.0, -105.25, 9.9}, {51.5, -0.13, -2.6}, {40.7, -74.0, -13.4},
        {-33.9, 151.2, 12.4}, {35.7, 139.7, -7.0}, {-33.9, 18.4, -24.5},
    };
    for (const Known& place : known) {
        EXPECT_NEAR(reference_field(place.lat, place.lon, 0.0, 2005.0).declination, place.declination, 1.0)
            << place.lat << "," << place.lon;
    }
    // Boulder's field is about 53,000 nT, dipping about 67 degrees.
    const Field boulder = reference_field(40.0, -105.25, 1.6, 2005.0);
    EXPECT_NEAR(boulder.intensity, 53000.0, 1500.0);
    EXPECT_NEAR(boulder.inclination, 67.0, 1.5);
}

TEST(MagneticFieldModel, ReproducesWmm2005AtTheEpoch) {
    wmm_initialise();
    for (const Place& place : places) {
        for (float alt : {0.0f, 1.0f, 11.0f}) {
            SCOPED_TRACE(testing::Message() << place.name << " at " << alt << " km");
            const Field expected = reference_field(place.lat, place.lon, alt, 2005.0);
            const ModelField got =
                model_field(static_cast<float>(place.lat), static_cast<float>(place.lon), alt, 2005.0f);
            EXPECT_NEAR(got.declination, expected.declination, 0.01);
            EXPECT_NEAR(got.inclination, expected.inclination, 0.01);
            EXPECT_NEAR(got.intensity, expected.intensity, 2.0);
        }
    }
}

TEST(MagneticFieldModel, CarriesTheCoefficientsForwardInTime) {
    wmm_initialise();
    for (const Place& place : places) {
        for (float year : {2006.0f, 2009.5f}) {
            SCOPED_TRACE(testing::Message() << place.name << " in " << year);
            const Field expected = reference_field(place.lat, place.lon, 1.0, year);
            const ModelField got =
                model_field(static_cast<float>(place.lat), static_cast<float>(place.lon), 1.0f, year);
            EXPECT_NEAR(got.declination, expected.declination, 0.01);
            EXPECT_NEAR(got.intensity, expected.intensity, 2.0);
        }
    }
}

TEST(MagneticFieldModel, CachedPartsGiveTheSameAnswerAsAFreshStart) {
    // Mode 1 skips the geometry when altitude and latitude repeat, the
    // longitude tables when longitude repeats and the time adjustment when
    // the time repeats: walk through each reuse and compare.
    struct Point {
        float lat, lon, alt, year;
    } points[] = {
        {47.0f, 11.0f, 1.0f, 2005.0f},   {47.0f, -80.0f, 1.0f, 2005.0f},  {-20.0f, -80.0f, 1.0f, 2005.0f},
        {-20.0f, -80.0f, 1.0f, 2006.0f}, {-20.0f, -80.0f, 9.0f, 2006.0f}, {47.0f, 11.0f, 1.0f, 2005.0f},
    };
    std::vector<ModelField> sequential;
    wmm_initialise();
    for (const Point& p : points)
        sequential.push_back(model_field(p.lat, p.lon, p.alt, p.year));
    for (std::size_t i = 0; i < std::size(points); ++i) {
        wmm_initialise();
        const ModelField fresh = model_field(points[i].lat, points[i].lon, points[i].alt, points[i].year);
        EXPECT_EQ(sequential[i].declination, fresh.declination) << i;
        EXPECT_EQ(sequential[i].inclination, fresh.inclination) << i;
        EXPECT_EQ(sequential[i].intensity, fresh.intensity) << i;
    }
}

TEST(MagneticFieldModel, GridVariationOnlyInPolarLatitudes) {
    wmm_initialise();
    EXPECT_EQ(model_field(54.9f, 10.0f, 1.0f, 2005.0f).grid, -999.0f);
    EXPECT_EQ(model_field(-54.9f, 10.0f, 1.0f, 2005.0f).grid, -999.0f);

    struct Row {
        float lat, lon;
        float sign_of_lon; // grid = declination - sign x longitude
    } rows[] = {
        {60.0f, 10.0f, 1.0f}, {60.0f, -40.0f, 1.0f}, {-60.0f, 100.0f, -1.0f}, {-70.0f, -60.0f, -1.0f}};
    for (const Row& r : rows) {
        const ModelField f = model_field(r.lat, r.lon, 1.0f, 2005.0f);
        float expected = f.declination - r.sign_of_lon * r.lon;
        if (expected > 180.0f) expected -= 360.0f;
        if (expected < -180.0f) expected += 360.0f;
        EXPECT_NEAR(f.grid, expected, 1e-3) << r.lat << "," << r.lon;
    }
    // Wrapped into -180..180.
    const ModelField east = model_field(75.0f, 170.0f, 1.0f, 2005.0f);
    EXPECT_GE(east.grid, -180.0f);
    EXPECT_LE(east.grid, 180.0f);
}

TEST(MagneticFieldModel, PolesGiveFiniteValues) {
    wmm_initialise();
    for (float lat : {90.0f, -90.0f}) {
        const ModelField f = model_field(lat, 0.0f, 1.0f, 2005.0f);
        EXPECT_TRUE(std::isfinite(f.declination)) << lat;
        EXPECT_TRUE(std::isfinite(f.inclination)) << lat;
        // At the geographic poles the field is steep and strong.
        EXPECT_GT(f.intensity, 50000.0f) << lat;
        EXPECT_LT(f.intensity, 70000.0f) << lat;
        EXPECT_GT(std::fabs(f.inclination), 70.0f) << lat;
        const Field expected = reference_field(lat > 0 ? 89.999 : -89.999, 0.0, 1.0, 2005.0);
        EXPECT_NEAR(f.intensity, expected.intensity, 2.0) << lat;
        EXPECT_NEAR(f.declination, expected.declination, 0.01) << lat;
    }
    // Approaching the pole, the declination converges on the pole's value.
    const ModelField pole = model_field(90.0f, 0.0f, 1.0f, 2005.0f);
    const ModelField near_pole = model_field(89.999f, 0.0f, 1.0f, 2005.0f);
    EXPECT_NEAR(pole.declination, near_pole.declination, 0.1);
}

TEST(MagneticFieldModel, DegreeIsLimitedToTheTables) {
    load_wmm_coefficients();
    int too_high = 40;
    magnetic_field_model(kWmmInitialise, &too_high, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    const ModelField clamped = model_field(40.0f, -105.0f, 1.0f, 2005.0f);
    wmm_initialise();
    const ModelField twelve = model_field(40.0f, -105.0f, 1.0f, 2005.0f);
    EXPECT_EQ(clamped.declination, twelve.declination);

    // A lower degree is a coarser model.
    int two = 2;
    magnetic_field_model(kWmmInitialise, &two, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    const ModelField coarse = model_field(40.0f, -105.0f, 1.0f, 2005.0f);
    EXPECT_NE(coarse.declination, twelve.declination);
    EXPECT_TRUE(std::isfinite(coarse.declination));
}

TEST(MagneticVariation, RoundingRule) {
    struct Row {
        double declination;
        int variation;
    } rows[] = {
        {0.6, 1},   {5.2, 6},   {5.5, 6},     {0.5, 0}, {-3.7, -3},   {-0.6, 0},    {0.54, 0},      {0.55, 1},
        {12.3, 13}, {12.0, 13}, {-12.0, -12}, {0.0, 0}, {-12.9, -12}, {179.9, 180}, {-179.9, -179},
    };
    for (const Row& r : rows)
        EXPECT_EQ(variation_from_declination(r.declination), r.variation) << r.declination;
    EXPECT_EQ(variation_from_declination(std::nan("")), 0);
}

TEST(MagneticVariation, WholeDegreeVariationFromTheModel) {
    struct Row {
        int lat, lon;
    } rows[] = {{40, -105}, {51, 0},   {37, -122}, {-33, 151}, {35, 139}, {-33, 18},
                {47, 11},   {64, -21}, {0, 0},     {45, -75},  {1, 103},  {-37, 144}};
    for (const Row& r : rows) {
        const double d = reference_field(r.lat, r.lon, 1.0, 2005.0).declination;
        // Only positions whose declination is clear of the rule's steps.
        const double fraction = std::fabs(d - std::trunc(d));
        ASSERT_GT(std::fabs(d - 0.54), 0.02);
        ASSERT_GT(fraction, 0.02);
        ASSERT_LT(fraction, 0.98);
        const int expected = static_cast<int>(d) + (d > 0.54 ? 1 : 0);
        EXPECT_EQ(compute_magnetic_variation(r.lat, r.lon), expected) << r.lat << "," << r.lon << " D=" << d;
    }
    // Known signs: east in Boulder, west in New York and Cape Town.
    EXPECT_GT(compute_magnetic_variation(40, -105), 8);
    EXPECT_LT(compute_magnetic_variation(40, -74), -11);
    EXPECT_LT(compute_magnetic_variation(-33, 18), -22);
}

TEST(MagneticVariation, WorksBeforeTheDatabaseLoadWroteTheText) {
    std::memset(wmm_text_lines, 0, sizeof wmm_text_lines);
    wmm_text_line_count = 0;
    const int before = compute_magnetic_variation(40, -105);
    EXPECT_EQ(wmm_text_line_count, 92);
    load_wmm_coefficients();
    EXPECT_EQ(compute_magnetic_variation(40, -105), before);
    EXPECT_GT(before, 8);
}
