#pragma once

#include "store/sqlite/sqlitehandle.h"

#include <QString>

namespace store {

// Opens an existing database file (never creating it) with the given SQLITE_OPEN_READWRITE or
// SQLITE_OPEN_READONLY flag, extended result codes and the busy timeout, and reads its schema, which
// is what tells a database from any other file.
//
// A WAL file is read through an index file (-shm) beside it. Where SQLite cannot make one, because
// the folder may not be written, nobody else can be writing to the file either; unless a log with
// changes is left beside it, the file is then opened again read-only as one that does not change.
//
// Throws StoreError naming the path.
SqliteHandle openDatabaseFile(const QString &path, int readWriteFlag);

} // namespace store
