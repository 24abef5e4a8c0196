#include "store/provisioning/fileaudit.h"

#include "store/sqlite/collation.h"
#include "store/sqlite/fileopening.h"
#include "store/storeerror.h"

#include <QScopeGuard>

#include <sqlite3.h>

namespace store {

struct FileAudit::Handle {
    SqliteHandle db;
};

FileAudit::FileAudit(const QString &path)
    : m_handle(std::make_unique<Handle>(Handle{openDatabaseFile(path, SQLITE_OPEN_READONLY)})), m_path(path)
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
