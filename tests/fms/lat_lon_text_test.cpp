#include "fms/math/lat_lon_text.h"

#include <gtest/gtest.h>

TEST(LatLonText, truncatesEachPartAndTakesLongitudesWestPositive) {
    struct Row {
        double lat, lon;
        const char* lat_text;
        const char* lon_text;
    } rows[] = {
        {47.4497, -8.5, "N47:26:58", "E08:30:00"},          {0.5, 122.25, "N00:30:00", "W122:15:00"},
        {-33.75, 122.3, "S33:45:00", "W122:17:59"}, // 122.3 is held just below itself
        {7.091666666666667, 0.0, "N07:05:30", "W00:00:00"}, {-0.25, -179.5, "S00:15:00", "E179:30:00"},
    };
    for (const Row& row : rows) {
        std::string lat, lon;
        format_lat_lon_dms(row.lat, row.lon, &lat, &lon, 1);
        EXPECT_EQ(lat, row.lat_text) << row.lat;
        EXPECT_EQ(lon, row.lon_text) << row.lon;
    }
    // Radians; the letter comes from the value as passed.
    std::string lat, lon;
    format_lat_lon_dms(0.5 * 0.017453292519943295, -1.0 * 0.017453292519943295, &lat, &lon, 0);
    EXPECT_EQ(lat, "N00:30:00");
    EXPECT_EQ(lon, "E01:00:00");
}
