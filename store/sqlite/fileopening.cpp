#include "store/sqlite/fileopening.h"

#include "store/storeerror.h"
#include "store/sqlite/sqlitefailure.h"

#include <QFileInfo>
#include <QUrl>

#include <optional>

#include <sqlite3.h>

namespace store {

namespace {

// Long enough for another program's write to end, a million-row import-csv's (about 20 s) included;
// a statement still blocked after that fails with "database is locked".
constexpr int kBusyTimeoutMs = 30000;

struct Attempt {
    SqliteHandle db; // null when the attempt failed
    int code = SQLITE_OK;
    std::optional<StoreError> error;
};

Attempt openReadingSchema(const QByteArray &name, int flags, const QString &path)
{
    sqlite3 *opened = nullptr;
    const int rc = sqlite3_open_v2(name.constData(), &opened, flags | SQLITE_OPEN_NOMUTEX, nullptr);
    SqliteHandle db(opened);
    if (rc == SQLITE_OK) {
        sqlite3_extended_result_codes(opened, 1);
        sqlite3_busy_timeout(opened, kBusyTimeoutMs);
        if (sqlite3_exec(opened, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr) == SQLITE_OK)
            return {std::move(db), SQLITE_OK, std::nullopt};
    }
    return {nullptr, opened ? sqlite3_extended_errcode(opened) : SQLITE_NOMEM, sqliteFailure(opened, path)};
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

SqliteHandle openDatabaseFile(const QString &path, int readWriteFlag)
{
    Attempt direct = openReadingSchema(path.toUtf8(), readWriteFlag, path);
    if (direct.db)
        return std::move(direct.db);
    if (!cannotMakeIndexFile(direct.code))
        throw *direct.error;
    if (hasPendingLog(path))
        throw StoreError(StoreError::Kind::PendingLog, {path, QFileInfo(path).fileName() + QStringLiteral("-wal")});
    Attempt unchanging = openReadingSchema(unchangingFileUri(path), SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, path);
    if (!unchanging.db)
        throw *unchanging.error;
    return std::move(unchanging.db);
}

} // namespace store
