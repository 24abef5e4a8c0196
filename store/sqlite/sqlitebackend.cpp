#include "store/sqlite/sqlitebackend.h"

#include "store/connection.h"
#include "store/statementtranslation.h"
#include "store/sqlite/sqlitebulkappend.h"
#include "store/sqlite/sqlitecursor.h"
#include "store/sqlite/sqlitefailure.h"
#include "store/sqlite/statement.h"

#include <sqlite3.h>

namespace store {

namespace {

JetTranslation translated(const QString &statement)
{
    JetTranslation t;
    translateStatement(statement, t);
    return t;
}

std::string_view viewOf(const QByteArray &text)
{
    return std::string_view(text.constData(), std::size_t(text.size()));
}

} // namespace

SqliteBackend::SqliteBackend(Connection &connection)
    : m_connection(connection)
{
}

std::unique_ptr<Cursor> SqliteBackend::newCursor()
{
    return std::make_unique<SqliteCursor>(m_cache, m_connection);
}

qint64 SqliteBackend::exec(const QString &statement)
{
    sqlite3 *db = m_connection.handle();
    const JetTranslation t = translated(statement);
    Statement command(m_cache, db, t.sql);
    command.bind(t);
    // The connection remembers the last insert of any earlier statement; a statement that inserts
    // nothing must not report that one.
    sqlite3_set_last_insert_rowid(db, 0);
    while (command.step()) {
    }
    return sqlite3_last_insert_rowid(db);
}

WriteResult SqliteBackend::write(const QString &sql, const QVariantList &params)
{
    sqlite3 *db = m_connection.handle();
    const QByteArray text = sql.toUtf8();
    Statement command(m_cache, db, viewOf(text));
    command.bind(params);
    while (command.step()) {
    }
    return {sqlite3_changes(db), sqlite3_last_insert_rowid(db)};
}

QVariant SqliteBackend::scalar(const QString &sql, const QVariantList &params)
{
    const QByteArray text = sql.toUtf8();
    Statement query(m_cache, m_connection.handle(), viewOf(text));
    query.bind(params);
    return query.step() ? query.value(0) : QVariant();
}

bool SqliteBackend::yieldsRows(const QString &statement)
{
    const JetTranslation t = translated(statement);
    return Statement(m_cache, m_connection.handle(), t.sql).columnCount() > 0;
}

void SqliteBackend::scan(const QString &statement, const ScanHeader &header, const ScanRow &row)
{
    const JetTranslation t = translated(statement);
    Statement query(m_cache, m_connection.handle(), t.sql);
    query.bind(t);
    // Described after the first step, as a result is: that step prepares a stale statement again.
    bool hasRow = query.step();
    query.redescribe();
    header(query.columnNames());
    const auto cell = [](const void *source, int, int column) {
        auto *handle = static_cast<sqlite3_stmt *>(const_cast<void *>(source));
        const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(handle, column));
        return QByteArrayView(text, text ? sqlite3_column_bytes(handle, column) : 0);
    };
    const RowText text(cell, query.handle());
    for (; hasRow; hasRow = query.step())
        row(text);
}

void SqliteBackend::beginSnapshot()
{
    // Deferred: the read transaction, and with it the snapshot, starts with the first read and lasts
    // until the end, however often the statements are reset in between.
    sqlite3 *db = m_connection.handle();
    if (sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr) != SQLITE_OK)
        throwSqliteFailure(db);
}

void SqliteBackend::endSnapshot() noexcept
{
    sqlite3 *db = m_connection.handle();
    if (!db || sqlite3_get_autocommit(db))
        return;
    if (sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK)
        sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
}

void SqliteBackend::beginWrite(const QString &)
{
    // One writer at a time for the whole file, taken before the first read, so that what the
    // transaction reads no other writer can change before it commits. A file that may not be
    // written is read all the same; a write in it then says why it cannot be done.
    sqlite3 *db = m_connection.handle();
    const char *begin = sqlite3_db_readonly(db, "main") == 1 ? "BEGIN" : "BEGIN IMMEDIATE";
    if (sqlite3_exec(db, begin, nullptr, nullptr, nullptr) != SQLITE_OK)
        throwSqliteFailure(db);
}

void SqliteBackend::commitWrite()
{
    sqlite3 *db = m_connection.handle();
    if (sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK) {
        const StoreError failure = sqliteFailure(db);
        rollbackWrite();
        throw failure;
    }
}

void SqliteBackend::rollbackWrite() noexcept
{
    sqlite3 *db = m_connection.handle();
    if (db && !sqlite3_get_autocommit(db))
        sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
}

std::unique_ptr<BulkAppend> SqliteBackend::bulkAppend(const QString &table, const QStringList &columns)
{
    return std::make_unique<SqliteBulkAppend>(m_cache, m_connection.handle(), table, columns);
}

} // namespace store
