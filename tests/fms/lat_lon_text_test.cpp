#include "fms/math/lat_lon_text.h"

#include <gtest/gtest.h>

#include <cstdio>

TEST(LatLonText, truncatesEachPartAndTakesLongitudesWestPositive) {
    struct Row {
        double lat, lon;
        const char* lat_text;
        const char* lon_text;
    } rows[] = {
        {47.4497, -8.5, "N47:26:58", "E08:30:00"},     {0.5, 122.25, "N00:30:00", "W122:15:00"},
        {-33.75, 122.3, "S33:45:00", "W122:18:00"}, // 122.3 is held just below itself
        {47.8, -179.99999, "N47:48:00", "E179:59:59"}, {7.091666666666667, 0.0, "N07:05:30", "W00:00:00"},
        {-0.25, -179.5, "S00:15:00", "E179:30:00"},
    };
    for (const Row& row : rows) {
        std::string lat, lon;
        format_lat_lon_dms(row.lat, row.lon, &lat, &lon, kDmsDegrees);
        EXPECT_EQ(lat, row.lat_text) << row.lat;
        EXPECT_EQ(lon, row.lon_text) << row.lon;
    }
    // Radians; the letter comes from the value as passed.
    std::string lat, lon;
    format_lat_lon_dms(0.5 * 0.017453292519943295, -1.0 * 0.017453292519943295, &lat, &lon, kDmsRadians);
    EXPECT_EQ(lat, "N00:30:00");
    EXPECT_EQ(lon, "E01:00:00");
}

// Every angle of the globe in steps of 0.001 degree: minutes and seconds in
// range, and the text is the angle less under one second.
TEST(LatLonText, everyAngleInThousandthsIsCarriedAndInRange) {
    for (int i = 0; i <= 180000; ++i) {
        const double angle = i / 1000.0;
        std::string lat, lon;
        format_lat_lon_dms(angle, angle, &lat, &lon, kDmsDegrees);
        int d = -1, m = -1, s = -1;
        ASSERT_EQ(std::sscanf(lon.c_str(), "W%d:%d:%d", &d, &m, &s), 3) << lon;
        ASSERT_TRUE(m >= 0 && m <= 59 && s >= 0 && s <= 59) << lon;
        const double shown = d + m / 60.0 + s / 3600.0;
        ASSERT_TRUE(shown <= angle + 1e-9 && angle - shown < 1.0 / 3600.0 - 1e-9) << angle << " " << lon;
        const DegreesMinutes t = degrees_minutes(-angle, 10);
        ASSERT_TRUE(t.minutes <= 59 && t.parts <= 9) << angle;
        ASSERT_LT(angle - (t.degrees + t.minutes / 60.0 + t.parts / 600.0), 1.0 / 600.0 - 1e-9) << angle;
    }
}
