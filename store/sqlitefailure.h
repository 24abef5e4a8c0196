#pragma once

#include <QString>

struct sqlite3;

namespace store {

// Throws DatabaseError with SQLite's own message for the connection's last failure, after the
// context ("history.dat", "cannot register ...") when one is given.
[[noreturn]] void throwSqliteFailure(sqlite3 *db, const QString &context = {});

} // namespace store
