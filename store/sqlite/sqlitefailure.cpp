#include "store/sqlite/sqlitefailure.h"

#include "store/schema.h"

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

StoreError sqliteFailure(sqlite3 *db, const QString &place)
{
    using Kind = StoreError::Kind;
    if (!db)
        return StoreError(Kind::OutOfMemory).at(place); // not even a connection could be made
    const QString message = QString::fromUtf8(sqlite3_errmsg(db));
    const int code = sqlite3_extended_errcode(db);
    if ((code & 0xff) == SQLITE_NOMEM || code == SQLITE_IOERR_NOMEM)
        return StoreError(Kind::OutOfMemory, {message}).at(place);
    const QString file = fileName(db);
    if (!file.isEmpty()) {
        switch (code & 0xff) {
        case SQLITE_READONLY:
            return StoreError(Kind::ReadOnlyFile, {file, message});
        case SQLITE_CORRUPT:
            return StoreError(Kind::DamagedFile, {file, message});
        default:
            break;
        }
    }
    if (code == SQLITE_CONSTRAINT_TRIGGER && message == QLatin1String(kTextLimitMessage))
        return StoreError(Kind::TextRefusedByStore, {QString()}).at(place);
    if ((code & 0xff) == SQLITE_BUSY)
        return StoreError(Kind::DirectoryBusy, {message});
    if ((code & 0xff) == SQLITE_IOERR)
        return StoreError(Kind::DiskIoFailure, {file, message}).at(file.isEmpty() ? place : QString());
    return StoreError(Kind::EngineFailure, {message}).at(place);
}

void throwSqliteFailure(sqlite3 *db, const QString &place)
{
    throw sqliteFailure(db, place);
}

} // namespace store
