#pragma once

#include "store/admin/serverroles.h"

#include <QString>

#include <functional>

namespace store {

// Where a directory is: a directory file's path, or a server's libpq connection string.
struct StoreAddress {
    QString file;
    QString server;
    bool isServer() const { return !server.isEmpty(); }
};

// A postgresql:// (or postgres://) URI or a key=value connection string names a server; anything
// else is a file path.
StoreAddress storeAddress(const QString &text);

// Told after each batch of rows: the table and how many of its rows are copied so far.
using CopyProgress = std::function<void(const QString &table, qint64 rows)>;

// Rows read from the source, and appended to the target, at a time.
inline constexpr int kCopyBatchRows = 5000;

// Copies every program table with all its rows and ids from source into target, which must be
// empty: a file that does not exist yet, or a server database without the program's tables. All or
// nothing: a failure leaves no target file and no tables on the server. The source is read at one
// snapshot: the copy is the source as it was at one moment, whatever others commit to it meanwhile.
// Into a server, the roles an older directory of the database's name left, and their members, as
// members says (createServerDirectory). Returns the rows copied. Throws StoreError.
qint64 copyDirectory(const StoreAddress &source, const StoreAddress &target, const CopyProgress &progress = {},
                     int batchRows = kCopyBatchRows, RoleMembers members = RoleMembers::Refused);

} // namespace store
