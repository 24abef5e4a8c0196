#include "connection.h"

#include "collation.h"
#include "databaseerror.h"
#include "databaseopening.h"
#include "sqlitefailure.h"

#include <QFileInfo>

#include <sqlite3.h>

namespace store {

namespace {

void execute(sqlite3 *db, const char *sql, const QString &context)
{
    if (sqlite3_exec(db, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
        throwSqliteFailure(db, context);
}

// The first column of the statement's first row.
QString firstValue(sqlite3 *db, const char *sql, const QString &context)
{
    sqlite3_stmt *statement = nullptr;
    if (sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) != SQLITE_OK)
        throwSqliteFailure(db, context);
    const int rc = sqlite3_step(statement);
    const QString value = rc == SQLITE_ROW
        ? QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(statement, 0)))
        : QString();
    if (rc != SQLITE_ROW && rc != SQLITE_DONE) {
        const DatabaseError failure = sqliteFailure(db, context);
        sqlite3_finalize(statement);
        throw failure;
    }
    sqlite3_finalize(statement);
    return value;
}

bool hasTable(sqlite3 *db, const char *table)
{
    return sqlite3_table_column_metadata(db, "main", table, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr)
        == SQLITE_OK;
}

// A file this program has not used yet: before anything is written to it, it must be a directory
// file, and a sound one, so that no other file is changed and no damage is spread. The check reads
// every page once; the switch to WAL that follows marks the file as checked for good.
void checkBeforeFirstUse(sqlite3 *db, const QString &name)
{
    if (!hasTable(db, "tab"))
        throw DatabaseError(name + QStringLiteral(": not a directory file (no table tab)"));
    if (sqlite3_db_readonly(db, "main") == 1)
        return; // nothing can be written through this connection
    const QString verdict = firstValue(db, "PRAGMA quick_check(1)", name);
    if (verdict != QLatin1String("ok"))
        throw DatabaseError(name + QStringLiteral(": the file is damaged: ") + verdict.section(u'\n', -1)
                            + QStringLiteral("; zelvik-cli check lists the problems"));
}

// WAL lets lookups read while another copy of the program writes. A file that may not be written
// here keeps its journal mode: lookups still read it, and a write says why it cannot be done.
void switchToWal(sqlite3 *db, const QString &name)
{
    if (sqlite3_db_readonly(db, "main") == 1)
        return;
    if (sqlite3_exec(db, "PRAGMA journal_mode=WAL", nullptr, nullptr, nullptr) == SQLITE_OK)
        return;
    const int primary = sqlite3_extended_errcode(db) & 0xff;
    if (primary != SQLITE_READONLY && primary != SQLITE_CANTOPEN)
        throwSqliteFailure(db, name);
}

} // namespace

Connection::Connection(QString dataSource)
    : m_dataSource(std::move(dataSource))
{
}

Connection::~Connection()
{
    close();
}

void Connection::setDataSource(const QString &path)
{
    close();
    m_dataSource = path;
}

void Connection::connect()
{
    if (m_db)
        return;
    // A directory cannot be opened, and a pipe would wait for a writer for ever.
    if (!QFileInfo(m_dataSource).isFile())
        throw DatabaseError(m_dataSource + QStringLiteral(": no such file"));

    sqlite3 *db = openDatabaseFile(m_dataSource, SQLITE_OPEN_READWRITE);
    try {
        registerCollation(db);
        // Damaged pages are refused as they are read, before a write could build on them.
        execute(db, "PRAGMA cell_size_check=ON", m_dataSource);
        if (firstValue(db, "PRAGMA journal_mode", m_dataSource) != QLatin1String("wal")) {
            checkBeforeFirstUse(db, m_dataSource);
            switchToWal(db, m_dataSource);
        }
        execute(db, "PRAGMA synchronous=FULL", m_dataSource);
    } catch (...) {
        sqlite3_close_v2(db);
        throw;
    }
    m_db = db;
}

bool Connection::isReadOnly() const
{
    return m_db && sqlite3_db_readonly(m_db, "main") == 1;
}

void Connection::close()
{
    // A channel may still hold prepared statements; the handle lingers until it finalises them.
    sqlite3_close_v2(m_db);
    m_db = nullptr;
}

} // namespace store
