#pragma once

#include <memory>

struct sqlite3;

namespace store {

struct SqliteCloser {
    void operator()(sqlite3 *db) const;
};

// Owns an SQLite connection: closed when it goes, on every path. The close is sqlite3_close_v2, so a
// statement still prepared on the connection keeps it alive until that statement is finalised.
using SqliteHandle = std::unique_ptr<sqlite3, SqliteCloser>;

} // namespace store
