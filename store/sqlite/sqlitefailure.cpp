#include "store/sqlite/sqlitefailure.h"

#include <QFileInfo>

#include <sqlite3.h>

namespace store {

namespace {

// The name the user knows the database file by; empty for a database that is no file.
QString fileName(sqlite3 *db)
{
    const char *path = sqlite3_db_filename(db, "main");
    return path ? QFileInfo(QString::fromUtf8(path)).fileName() : QString();
}

} // namespace

StoreError sqliteFailure(sqlite3 *db, const QString &context)
{
    if (!db)
        return StoreError(context.isEmpty() ? QStringLiteral("out of memory") : context + QStringLiteral(": out of memory"));
    const QString message = QString::fromUtf8(sqlite3_errmsg(db));
    const QString file = fileName(db);
    if (!file.isEmpty()) {
        switch (sqlite3_extended_errcode(db) & 0xff) {
        case SQLITE_READONLY:
            return StoreError(StoreError::Kind::ReadOnlyFile, {file, message});
        case SQLITE_CORRUPT:
            return StoreError(StoreError::Kind::DamagedFile, {file, message});
        default:
            break;
        }
    }
    return StoreError(context.isEmpty() ? message : context + QStringLiteral(": ") + message);
}

void throwSqliteFailure(sqlite3 *db, const QString &context)
{
    throw sqliteFailure(db, context);
}

} // namespace store
