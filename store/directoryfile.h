#pragma once

#include <QString>

struct sqlite3;

namespace store {

// Fills the reference tables of a freshly created schema with the delivered sample data.
// Throws DatabaseError.
void insertSampleData(sqlite3 *db);

// Creates a new directory file at path: every table and index, and the sample reference data.
// The file is built under a temporary name beside it and renamed into place only when complete;
// an existing file is never replaced. Throws DatabaseError.
void createDirectoryFile(const QString &path);

} // namespace store
