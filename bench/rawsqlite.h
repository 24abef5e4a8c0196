#pragma once

#include "store/sqlite/sqlitehandle.h"

#include <sqlite3.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace bench {

// Thin owners of a raw SQLite connection and statement: nothing between the caller and the C API
// but error checks, so that what they time is SQLite's own work. Failures throw std::runtime_error.
class RawDatabase {
public:
    // Opens an existing file read-write and registers the program's text collation.
    explicit RawDatabase(const std::string &path);

    // The settings the program's own connection uses: WAL, synchronous=FULL.
    void useProgramSettings();
    void exec(const char *sql);
    std::int64_t integer(const char *sql); // first column of the first row, 0 without a row

    sqlite3 *handle() const { return m_db; }

private:
    store::SqliteHandle m_handle;
    sqlite3 *m_db = nullptr;
};

class RawStatement {
public:
    RawStatement(sqlite3 *db, std::string_view sql);
    ~RawStatement();
    RawStatement(const RawStatement &) = delete;
    RawStatement &operator=(const RawStatement &) = delete;

    // The text must outlive the next step.
    void bindText(int parameter, std::string_view text);
    void bindInteger(int parameter, std::int64_t value);
    // True with a row, false at the end.
    bool step();
    void reset();

    int columnCount() const { return sqlite3_column_count(m_statement); }
    sqlite3_stmt *handle() const { return m_statement; }

private:
    sqlite3_stmt *m_statement = nullptr;
};

} // namespace bench
