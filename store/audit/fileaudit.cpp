#include "store/audit/fileaudit.h"

#include "store/sqlite/collation.h"
#include "store/sqlite/fileopening.h"
#include "store/storeerror.h"

#include <QFileInfo>
#include <QScopeGuard>

#include <sqlite3.h>

namespace store {

namespace {

// SQLite takes a WAL file's log and index away when the last connection that may write closes it;
// a reader alone leaves both behind. When none of the file's companions is there, nobody has it open
// and no journal waits to be rolled back, so the audit may open it as a writer that writes nothing
// and leave the folder as it found it. Companions that were there stay, read-only.
int openFlag(const QString &path)
{
    for (const QLatin1StringView suffix : {QLatin1StringView("-wal"), QLatin1StringView("-shm"), QLatin1StringView("-journal")})
        if (QFileInfo::exists(path + suffix))
            return SQLITE_OPEN_READONLY;
    return SQLITE_OPEN_READWRITE;
}

SqliteHandle openUnchanged(const QString &path)
{
    SqliteHandle db = openDatabaseFile(path, openFlag(path));
    if (sqlite3_exec(db.get(), "PRAGMA query_only = ON", nullptr, nullptr, nullptr) != SQLITE_OK)
        throw StoreError(StoreError::Kind::EngineFailure, {QString::fromUtf8(sqlite3_errmsg(db.get()))}).at(path);
    return db;
}

} // namespace

struct FileAudit::Handle {
    SqliteHandle db;
};

FileAudit::FileAudit(const QString &path)
    : m_handle(std::make_unique<Handle>(Handle{openUnchanged(path)})), m_path(path)
{
}

FileAudit::~FileAudit() = default;

QStringList FileAudit::firstColumn(const std::string &sql)
{
    sqlite3 *db = m_handle->db.get();
    const auto failure = [&] {
        return StoreError(StoreError::Kind::EngineFailure, {QString::fromUtf8(sqlite3_errmsg(db))}).at(m_path);
    };
    sqlite3_stmt *statement = nullptr;
    if (sqlite3_prepare_v2(db, sql.c_str(), int(sql.size()), &statement, nullptr) != SQLITE_OK)
        throw failure();
    const auto finalize = qScopeGuard([statement] { sqlite3_finalize(statement); });
    QStringList lines;
    int rc;
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW)
        lines << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(statement, 0)));
    if (rc != SQLITE_DONE)
        throw failure();
    return lines;
}

QStringList FileAudit::integrityProblems()
{
    registerCollation(m_handle->db.get());
    QStringList lines = firstColumn("PRAGMA integrity_check");
    if (lines == QStringList{QStringLiteral("ok")})
        lines.clear();
    return lines;
}

} // namespace store
