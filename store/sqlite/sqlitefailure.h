#pragma once

#include "store/storeerror.h"

#include <QString>

struct sqlite3;

namespace store {

// The error for the connection's last failure: SQLite's own message after the context
// ("history.dat", "cannot register ...") when one is given. A file that may not be written, or that
// is damaged, is an error of its own kind naming the file, whatever the context.
StoreError sqliteFailure(sqlite3 *db, const QString &context = {});
[[noreturn]] void throwSqliteFailure(sqlite3 *db, const QString &context = {});

} // namespace store
