#pragma once

#include "store/storeerror.h"

#include <QString>

struct sqlite3;

namespace store {

// The error for the connection's last failure, with SQLite's own message, having happened at place
// (a file's path, a table) when one is given. A file that may not be written, that is damaged or
// that the disk fails to read or write is an error of its own kind naming the file, whatever the
// place; so is a lack of memory.
StoreError sqliteFailure(sqlite3 *db, const QString &place = {});
[[noreturn]] void throwSqliteFailure(sqlite3 *db, const QString &place = {});

} // namespace store
