#include "data/wmm.h"

#include <charconv>
#include <cmath>
#include <cstring>

extern const char* const wmm2005_lines[wmm_text_line_slots];

char wmm_text_lines[wmm_text_line_slots][wmm_text_line_length] = {};
int wmm_text_line_count = 0;

namespace {

constexpr int max_model_degree = 12;
constexpr int table_size = max_model_degree + 1;

// State of the synthesis routine from one initialisation to the next. Tables
// indexed [m][n] hold g-type values (and the Legendre functions); [n][m-1]
// holds the h-type values, as the published routine arranges them.
struct MagneticModel {
    bool initialised = false;
    int maxord = 0;
    float epoch = 0.0f;
    char model_name[20] = {};

    float c[table_size][table_size] = {};
    float cd[table_size][table_size] = {};
    float tc[table_size][table_size] = {};
    float snorm[table_size][table_size] = {};
    float p[table_size][table_size] = {};
    float dp[table_size][table_size] = {};
    float k[table_size][table_size] = {};
    float sp[table_size] = {};
    float cp[table_size] = {};
    float pp[table_size] = {};
    float fn[table_size] = {};
    float fm[table_size] = {};

    float a = 0, b = 0, re = 0, a2 = 0, b2 = 0, c2 = 0, a4 = 0, b4 = 0, c4 = 0;

    // Spherical geometry of the last position, kept while altitude and
    // latitude stay the same.
    float ct = 0, st = 0, r = 0, ca = 0, sa = 0;

    float otime = 0, oalt = 0, olat = 0, olon = 0;
};

MagneticModel model;

const char* skip_blanks(const char* p) {
    while (*p == ' ' || *p == '\t' || *p == '\r' || *p == '\n')
        ++p;
    return p;
}

// One whitespace-separated number, as scanf's %f and %d read it, but in the
// C locale whatever the host process has set.
bool read_float(const char*& p, float& value) {
    p = skip_blanks(p);
    const char* end = p + std::strlen(p);
    const auto result = std::from_chars(p, end, value);
    if (result.ec != std::errc()) return false;
    p = result.ptr;
    return true;
}

bool read_int(const char*& p, int& value) {
    p = skip_blanks(p);
    const char* end = p + std::strlen(p);
    const auto result = std::from_chars(p, end, value);
    if (result.ec != std::errc()) return false;
    p = result.ptr;
    return true;
}

void read_header(const char* line) {
    const char* p = line;
    if (!read_float(p, model.epoch)) return;
    p = skip_blanks(p);
    std::size_t i = 0;
    while (p[i] != '\0' && p[i] != ' ' && i + 1 < sizeof model.model_name) {
        model.model_name[i] = p[i];
        ++i;
    }
    model.model_name[i] = '\0';
}

void read_coefficients() {
    for (int line = 1; line < wmm_text_line_count && line < wmm_text_line_slots; ++line) {
        const char* text = wmm_text_lines[line];
        if (std::strncmp(text, "9999", 4) == 0) break;
        int n = 0, m = 0;
        float g = 0, h = 0, g_change = 0, h_change = 0;
        const char* p = text;
        if (!read_int(p, n) || !read_int(p, m) || !read_float(p, g) || !read_float(p, h) ||
            !read_float(p, g_change) || !read_float(p, h_change))
            continue;
        // A line outside the tables is skipped rather than written past them.
        if (n < 1 || n > max_model_degree || m < 0 || m > n) continue;
        model.c[m][n] = g;
        model.cd[m][n] = g_change;
        if (m != 0) {
            model.c[n][m - 1] = h;
            model.cd[n][m - 1] = h_change;
        }
    }
}

void initialise(int max_degree) {
    model = MagneticModel{};
    model.maxord = max_degree;
    model.sp[0] = 0.0f;
    model.cp[0] = model.p[0][0] = model.pp[0] = 1.0f;
    model.dp[0][0] = 0.0f;
    model.a = 6378.137f;
    model.b = 6356.7523142f;
    model.re = 6371.2f;
    model.a2 = model.a * model.a;
    model.b2 = model.b * model.b;
    model.c2 = model.a2 - model.b2;
    model.a4 = model.a2 * model.a2;
    model.b4 = model.b2 * model.b2;
    model.c4 = model.a4 - model.b4;

    model.c[0][0] = 0.0f;
    model.cd[0][0] = 0.0f;
    if (wmm_text_line_count > 0) read_header(wmm_text_lines[0]);
    read_coefficients();

    // Schmidt semi-normalised to unnormalised coefficients, and the recursion
    // factors of the Legendre functions.
    model.snorm[0][0] = 1.0f;
    for (int n = 1; n <= model.maxord; ++n) {
        model.snorm[0][n] = model.snorm[0][n - 1] * static_cast<float>(2 * n - 1) / static_cast<float>(n);
        int j = 2;
        for (int m = 0; m <= n; ++m) {
            model.k[m][n] =
                static_cast<float>((n - 1) * (n - 1) - m * m) / static_cast<float>((2 * n - 1) * (2 * n - 3));
            if (m > 0) {
                const float flnmj = static_cast<float>((n - m + 1) * j) / static_cast<float>(n + m);
                model.snorm[m][n] =
                    static_cast<float>(model.snorm[m - 1][n] * std::sqrt(static_cast<double>(flnmj)));
                j = 1;
                model.c[n][m - 1] = model.snorm[m][n] * model.c[n][m - 1];
                model.cd[n][m - 1] = model.snorm[m][n] * model.cd[n][m - 1];
            }
            model.c[m][n] = model.snorm[m][n] * model.c[m][n];
            model.cd[m][n] = model.snorm[m][n] * model.cd[m][n];
        }
        model.fn[n] = static_cast<float>(n + 1);
        model.fm[n] = static_cast<float>(n);
    }
    model.k[1][1] = 0.0f;

    // Nothing matches the first call: it computes everything.
    model.otime = model.oalt = model.olat = model.olon = -1000.0f;
    model.initialised = true;
}

double sqrt_d(double x) {
    return std::sqrt(x);
}

void field_at(float alt, float glat, float glon, float time, float* dec, float* dip, float* ti, float* gv) {
    MagneticModel& w = model;
    // Outside the model's five years the field is computed anyway: the callers
    // ask only for the epoch and one year on.
    const float dt = time - w.epoch;

    const float pi = 3.14159265359f;
    const float dtr = pi / 180.0f;
    const float rlon = glon * dtr;
    const float rlat = glat * dtr;
    const float srlon = static_cast<float>(std::sin(static_cast<double>(rlon)));
    const float srlat = static_cast<float>(std::sin(static_cast<double>(rlat)));
    const float crlon = static_cast<float>(std::cos(static_cast<double>(rlon)));
    const float crlat = static_cast<float>(std::cos(static_cast<double>(rlat)));
    const float srlat2 = srlat * srlat;
    const float crlat2 = crlat * crlat;
    w.sp[1] = srlon;
    w.cp[1] = crlon;

    const bool new_geometry = alt != w.oalt || glat != w.olat;
    if (new_geometry) {
        // Geodetic to spherical coordinates on the WGS-84 ellipsoid.
        const float q = static_cast<float>(sqrt_d(w.a2 - w.c2 * srlat2));
        const float q1 = alt * q;
        const float q2 = ((q1 + w.a2) / (q1 + w.b2)) * ((q1 + w.a2) / (q1 + w.b2));
        w.ct = static_cast<float>(srlat / sqrt_d(q2 * crlat2 + srlat2));
        w.st = static_cast<float>(sqrt_d(1.0 - static_cast<double>(w.ct * w.ct)));
        const float r2 =
            static_cast<float>(static_cast<double>(alt * alt) + 2.0 * q1 + (w.a4 - w.c4 * srlat2) / (q * q));
        w.r = static_cast<float>(sqrt_d(r2));
        const float d = static_cast<float>(sqrt_d(w.a2 * crlat2 + w.b2 * srlat2));
        w.ca = (alt + d) / w.r;
        w.sa = w.c2 * crlat * srlat / (w.r * d);
    }
    if (glon != w.olon) {
        for (int m = 2; m <= w.maxord; ++m) {
            w.sp[m] = w.sp[1] * w.cp[m - 1] + w.cp[1] * w.sp[m - 1];
            w.cp[m] = w.cp[1] * w.cp[m - 1] - w.sp[1] * w.sp[m - 1];
        }
    }
    const bool new_time = time != w.otime;

    const float aor = w.re / w.r;
    float ar = aor * aor;
    float br = 0.0f, bt = 0.0f, bp = 0.0f, bpp = 0.0f;
    const float ct = w.ct;
    const float st = w.st;
    for (int n = 1; n <= w.maxord; ++n) {
        ar = ar * aor;
        for (int m = 0; m <= n; ++m) {
            // Unnormalised associated Legendre functions and their
            // derivatives, by recursion on the degree.
            if (new_geometry) {
                if (n == m) {
                    w.p[m][n] = st * w.p[m - 1][n - 1];
                    w.dp[m][n] = st * w.dp[m - 1][n - 1] + ct * w.p[m - 1][n - 1];
                } else if (n == 1 && m == 0) {
                    w.p[m][n] = ct * w.p[m][n - 1];
                    w.dp[m][n] = ct * w.dp[m][n - 1] - st * w.p[m][n - 1];
                } else if (n > 1 && n != m) {
                    if (m > n - 2) {
                        w.p[m][n - 2] = 0.0f;
                        w.dp[m][n - 2] = 0.0f;
                    }
                    w.p[m][n] = ct * w.p[m][n - 1] - w.k[m][n] * w.p[m][n - 2];
                    w.dp[m][n] = ct * w.dp[m][n - 1] - st * w.p[m][n - 1] - w.k[m][n] * w.dp[m][n - 2];
                }
            }
            // Coefficients carried from the epoch to the asked time.
            if (new_time) {
                w.tc[m][n] = w.c[m][n] + dt * w.cd[m][n];
                if (m != 0) w.tc[n][m - 1] = w.c[n][m - 1] + dt * w.cd[n][m - 1];
            }
            const float par = ar * w.p[m][n];
            float temp1, temp2;
            if (m == 0) {
                temp1 = w.tc[m][n] * w.cp[m];
                temp2 = w.tc[m][n] * w.sp[m];
            } else {
                temp1 = w.tc[m][n] * w.cp[m] + w.tc[n][m - 1] * w.sp[m];
                temp2 = w.tc[m][n] * w.sp[m] - w.tc[n][m - 1] * w.cp[m];
            }
            bt = bt - ar * temp1 * w.dp[m][n];
            bp += w.fm[m] * temp2 * par;
            br += w.fn[n] * temp1 * par;
            // At the geographic poles the east component comes from its own
            // recursion: bp / sin(colatitude) is 0 / 0 there.
            if (st == 0.0f && m == 1) {
                if (n == 1)
                    w.pp[n] = w.pp[n - 1];
                else
                    w.pp[n] = ct * w.pp[n - 1] - w.k[m][n] * w.pp[n - 2];
                const float parp = ar * w.pp[n];
                bpp += w.fm[m] * temp2 * parp;
            }
        }
    }
    if (st == 0.0f)
        bp = bpp;
    else
        bp /= st;

    // Spherical to geodetic components, then the field elements.
    const float bx = -bt * w.ca - br * w.sa;
    const float by = bp;
    const float bz = bt * w.sa - br * w.ca;
    const float bh = static_cast<float>(sqrt_d(bx * bx + by * by));
    const float declination =
        static_cast<float>(std::atan2(static_cast<double>(by), static_cast<double>(bx)) / dtr);
    if (ti) *ti = static_cast<float>(sqrt_d(bh * bh + bz * bz));
    if (dec) *dec = declination;
    if (dip) *dip = static_cast<float>(std::atan2(static_cast<double>(bz), static_cast<double>(bh)) / dtr);

    // Grid variation, for polar grid navigation.
    float grid = -999.0f;
    if (std::fabs(glat) >= 55.0f) {
        if (glat > 0.0f && glon >= 0.0f) grid = declination - glon;
        if (glat > 0.0f && glon < 0.0f) grid = declination + std::fabs(glon);
        if (glat < 0.0f && glon >= 0.0f) grid = declination + glon;
        if (glat < 0.0f && glon < 0.0f) grid = declination - std::fabs(glon);
        if (grid > 180.0f) grid -= 360.0f;
        if (grid < -180.0f) grid += 360.0f;
    }
    if (gv) *gv = grid;

    w.otime = time;
    w.oalt = alt;
    w.olat = glat;
    w.olon = glon;
}

} // namespace

void load_wmm_coefficients() {
    for (int i = 0; i < wmm_text_line_slots; ++i) {
        std::strncpy(wmm_text_lines[i], wmm2005_lines[i], wmm_text_line_length - 1);
        wmm_text_lines[i][wmm_text_line_length - 1] = '\0';
    }
    wmm_text_line_count = wmm_text_line_slots - 1;
}

void magnetic_field_model(int mode, int* max_degree, float altitude_km, float latitude, float longitude,
                          float time, float* declination, float* inclination, float* total_intensity,
                          float* grid_variation) {
    if (mode == kWmmInitialise) {
        // The tables hold degree 12: a larger degree would read past them.
        int degree = max_degree ? *max_degree : max_model_degree;
        if (degree > max_model_degree) degree = max_model_degree;
        if (degree < 1) degree = 1;
        initialise(degree);
        return;
    }
    if (mode == kWmmField && model.initialised)
        field_at(altitude_km, latitude, longitude, time, declination, inclination, total_intensity,
                 grid_variation);
}
