#pragma once

#include <QString>

#include <functional>

struct sqlite3;

namespace store {

class QueryChannel;

// Fills the reference tables of a freshly created schema with the delivered sample data.
// Throws StoreError.
void insertSampleData(sqlite3 *db);

// Creates a new directory file at path: every table and index, and the rows fill inserts (by
// default the sample reference data) in the same transaction. The file is built under a temporary
// name beside it and renamed into place only when complete (see StagingFile: a failure, or a signal
// when the program asked for that, leaves nothing behind); an existing file is never replaced.
// Throws StoreError.
void createDirectoryFile(const QString &path, const std::function<void(sqlite3 *)> &fill = insertSampleData);

// The same, filled through a channel on the new file inside the creating transaction.
void createDirectoryFile(const QString &path, const std::function<void(QueryChannel &)> &fill);

} // namespace store
