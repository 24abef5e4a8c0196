#pragma once

class QVariant;
struct sqlite3_stmt;

namespace store {

// Binds a native value to parameter slot (from 1), copied: null, integers (bool included), reals,
// bytes as a blob, anything else as its text. Returns SQLite's result code.
int bindValue(sqlite3_stmt *statement, int slot, const QVariant &value);

} // namespace store
