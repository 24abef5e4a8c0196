#include "store/provisioning/filestorecreation.h"

#include "store/connection.h"
#include "store/querychannel.h"
#include "store/storeerror.h"
#include "store/provisioning/stagingfile.h"
#include "store/provisioning/sampledata.h"
#include "store/schema.h"
#include "store/sqlite/sqlitebinding.h"
#include "store/sqlite/sqlitefailure.h"
#include "store/sqlite/sqlitehandle.h"

#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>

#include <sqlite3.h>

namespace store {

namespace {

void execute(sqlite3 *db, const char *sql)
{
    if (sqlite3_exec(db, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
        throwSqliteFailure(db);
}

// Runs the insert once per row of values, binding them in order.
void insertRows(sqlite3 *db, const QString &sql, const QList<QVariantList> &rows)
{
    sqlite3_stmt *insert = nullptr;
    if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &insert, nullptr) != SQLITE_OK)
        throwSqliteFailure(db);
    const auto finalize = qScopeGuard([insert] { sqlite3_finalize(insert); });
    for (const QVariantList &row : rows) {
        for (int i = 0; i < row.size(); ++i)
            if (bindValue(insert, i + 1, row[i]) != SQLITE_OK)
                throwSqliteFailure(db);
        if (sqlite3_step(insert) != SQLITE_DONE)
            throwSqliteFailure(db);
        sqlite3_reset(insert);
    }
}

} // namespace

void insertSampleData(sqlite3 *db)
{
    for (const ReferenceRows &ref : sampleReferenceRows()) {
        QList<QVariantList> rows;
        for (qsizetype i = 0; i < ref.values.size(); ++i)
            rows.append({qint64(i + 1), ref.values[i]});
        insertRows(db, QStringLiteral("INSERT INTO %1(id, %2) VALUES(?, ?)").arg(ref.table, ref.column), rows);
    }
    const ParamRow param = sampleParam();
    insertRows(db, QStringLiteral("INSERT INTO param(s, tel) VALUES(?, ?)"), {{param.s, param.tel}});
}

void createDirectoryFile(const QString &path, const std::function<void(sqlite3 *)> &fill)
{
    const QFileInfo target(path);
    if (target.exists() || target.isSymLink())
        throw StoreError(StoreError::Kind::FileExists, {path});

    StagingFile staging(path);
    {
        sqlite3 *db = nullptr;
        const int rc = sqlite3_open_v2(staging.path().toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
        const SqliteHandle handle(db);
        if (rc != SQLITE_OK)
            throwSqliteFailure(db, path);
        try {
            execute(db, "BEGIN");
            createSchema(db);
            fill(db);
            execute(db, "COMMIT");
            // Every file the program has used is in WAL; a new one starts so and needs no switch.
            execute(db, "PRAGMA journal_mode=WAL");
        } catch (const StoreError &e) {
            throw e.at(path);
        }
    }
    // A temporary file is private to its owner; the directory file is as readable as any other.
    QFile::setPermissions(staging.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    if (const std::optional<PublishFailure> failure = staging.publish())
        throw failure->targetExists ? StoreError(StoreError::Kind::FileExists, {path})
                                    : StoreError(StoreError::Kind::FileNotPublished, {path, failure->reason});
}

void createDirectoryFile(const QString &path, const std::function<void(QueryChannel &)> &fill)
{
    createDirectoryFile(path, [&](sqlite3 *db) {
        Connection connection;
        connection.borrow(db, path);
        QueryChannel channel(connection);
        fill(channel);
    });
}

} // namespace store
