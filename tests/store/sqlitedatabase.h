#pragma once

#include "store/sqlite/collation.h"
#include "store/sqlite/sqlitehandle.h"

#include <sqlite3.h>

#include <string>

// A raw SQLite connection for tests that look beneath the channel, closed when it goes.
class SqliteDatabase {
public:
    explicit SqliteDatabase(const std::string &path = ":memory:")
    {
        sqlite3 *db = nullptr;
        sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
        m_handle.reset(db);
        m_db = db;
        sqlite3_busy_timeout(m_db, 5000);
    }

    sqlite3 *handle() const { return m_db; }
    // Without the collation, a statement that touches a text column or index of the directory fails.
    SqliteDatabase &withCollation()
    {
        store::registerCollation(m_db);
        return *this;
    }

    // SQLITE_OK or the failure code; the message stays readable through error().
    int exec(const std::string &sql) { return sqlite3_exec(m_db, sql.c_str(), nullptr, nullptr, nullptr); }
    std::string error() const { return sqlite3_errmsg(m_db); }

    // The first column of the first row as text; empty when there is no row.
    std::string scalar(const std::string &sql)
    {
        sqlite3_stmt *s = nullptr;
        std::string result;
        if (sqlite3_prepare_v2(m_db, sql.c_str(), -1, &s, nullptr) == SQLITE_OK && sqlite3_step(s) == SQLITE_ROW)
            if (const unsigned char *text = sqlite3_column_text(s, 0))
                result = reinterpret_cast<const char *>(text);
        sqlite3_finalize(s);
        return result;
    }

    // The query plan's lines, one after another.
    std::string plan(const std::string &sql)
    {
        sqlite3_stmt *s = nullptr;
        std::string result;
        if (sqlite3_prepare_v2(m_db, ("explain query plan " + sql).c_str(), -1, &s, nullptr) == SQLITE_OK)
            while (sqlite3_step(s) == SQLITE_ROW)
                result.append(reinterpret_cast<const char *>(sqlite3_column_text(s, 3))).append("\n");
        sqlite3_finalize(s);
        return result;
    }

private:
    store::SqliteHandle m_handle;
    sqlite3 *m_db = nullptr;
};
