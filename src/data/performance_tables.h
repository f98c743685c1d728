// The aircraft's performance tables, read from the file named by the
// aircraft key PerformanceData. Rows are numbered from 1; a table holds at
// most its row count less one (row 0 is no data row).
#pragma once

struct CruiseRow {
    int value_count = 0;   // tokens 3..28 present in the row
    double slots[64] = {}; // slots 1..63; slot 0 is unused
};

struct PerformanceTables {
    static constexpr int kRows = 50;
    static constexpr int kWeights = 32;

    int climb_row_count = 0;
    int cruise_row_count = 0;
    int descent_row_count = 0;
    int altitude_row_count = 0;
    // Gross weights in the file's unit times 1000. They live in cruise row 0:
    // its value count is weight_count and weight k sits in slot 31 + k.
    int weight_count = 0;

    double climb[kRows][24] = {};
    CruiseRow cruise[kRows];
    double descent[kRows][4] = {};
    double altitude[kRows][2] = {};

    double weight(int k) const { return cruise[0].slots[31 + k]; }
};

extern PerformanceTables performance_tables;

// Reloads the tables: counts from 0, slots that rows do not supply keep their
// old values. The name is tried as it stands, then under
// "\orvex\aircraft\". A missing file leaves the counts at 0.
void load_performance_data();
