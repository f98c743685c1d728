#include "fms/math/magnetic_variation.h"

#include "data/wmm.h"
#include "platform/text_file.h"

void wmm_initialise() {
    if (wmm_text_line_count == 0) load_wmm_coefficients();
    int max_degree = 12;
    magnetic_field_model(kWmmInitialise, &max_degree, 0.0f, 0.0f, 0.0f, 0.0f, nullptr, nullptr, nullptr,
                         nullptr);
}

void wmm_evaluate(float altitude_km, float latitude, float longitude, float year, float* declination,
                  float* inclination, float* total_intensity, float* grid_variation) {
    magnetic_field_model(kWmmField, nullptr, altitude_km, latitude, longitude, year, declination, inclination,
                         total_intensity, grid_variation);
}

int variation_from_declination(double declination) {
    const int whole = saturate_to_int(declination);
    return declination > 0.54 ? whole + 1 : whole;
}

int compute_magnetic_variation(int latitude, int longitude) {
    wmm_initialise();
    float declination = 0.0f, inclination = 0.0f, intensity = 0.0f, grid = 0.0f;
    wmm_evaluate(1.0f, static_cast<float>(latitude), static_cast<float>(longitude), 2005.0f, &declination,
                 &inclination, &intensity, &grid);
    return variation_from_declination(declination);
}
