#include "databaseopening.h"

#include "databaseerror.h"
#include "sqlitefailure.h"

#include <QFileInfo>
#include <QUrl>

#include <sqlite3.h>

namespace store {

namespace {

// Long enough for another copy of the program to finish its statement; a statement still blocked
// after that fails with "database is locked".
constexpr int kBusyTimeoutMs = 5000;

struct Attempt {
    sqlite3 *db = nullptr; // null when the attempt failed
    int code = SQLITE_OK;
    QString error;
};

Attempt openReadingSchema(const QByteArray &name, int flags, const QString &path)
{
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(name.constData(), &db, flags | SQLITE_OPEN_NOMUTEX, nullptr) == SQLITE_OK) {
        sqlite3_extended_result_codes(db, 1);
        sqlite3_busy_timeout(db, kBusyTimeoutMs);
        if (sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr) == SQLITE_OK)
            return {db, SQLITE_OK, QString()};
    }
    Attempt failed{nullptr, db ? sqlite3_extended_errcode(db) : SQLITE_NOMEM, sqliteFailure(db, path).text()};
    sqlite3_close_v2(db);
    return failed;
}

bool cannotMakeIndexFile(int code)
{
    const int primary = code & 0xff;
    return primary == SQLITE_READONLY || primary == SQLITE_CANTOPEN;
}

// A log that still holds changes would be skipped by a reader that takes the file as unchanging.
bool hasPendingLog(const QString &path)
{
    return QFileInfo(path + QStringLiteral("-wal")).size() > 0;
}

QByteArray unchangingFileUri(const QString &path)
{
    const QUrl uri = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath());
    return uri.toString(QUrl::FullyEncoded).toUtf8() + "?immutable=1";
}

} // namespace

sqlite3 *openDatabaseFile(const QString &path, int readWriteFlag)
{
    const Attempt direct = openReadingSchema(path.toUtf8(), readWriteFlag, path);
    if (direct.db)
        return direct.db;
    if (!cannotMakeIndexFile(direct.code))
        throw DatabaseError(direct.error);
    if (hasPendingLog(path))
        throw DatabaseError(path + QStringLiteral(": cannot be read while its folder may not be written: ")
                            + QFileInfo(path).fileName() + QStringLiteral("-wal holds changes not yet in the file"));
    const Attempt unchanging = openReadingSchema(unchangingFileUri(path), SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, path);
    if (!unchanging.db)
        throw DatabaseError(unchanging.error);
    return unchanging.db;
}

} // namespace store
