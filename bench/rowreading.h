#pragma once

#include "bench/rawsqlite.h"

#include <benchmark/benchmark.h>

namespace bench {

// Reads every column of the current row the way a caller that wants the values must: text as
// text, numbers as numbers.
inline void readRawRow(sqlite3_stmt *statement)
{
    const int columns = sqlite3_column_count(statement);
    for (int c = 0; c < columns; ++c) {
        if (sqlite3_column_type(statement, c) == SQLITE_INTEGER) {
            benchmark::DoNotOptimize(sqlite3_column_int64(statement, c));
        } else {
            benchmark::DoNotOptimize(sqlite3_column_text(statement, c));
            benchmark::DoNotOptimize(sqlite3_column_bytes(statement, c));
        }
    }
}

} // namespace bench
