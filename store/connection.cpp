#include "connection.h"

#include "collation.h"
#include "databaseerror.h"
#include "sqlitefailure.h"

#include <QFileInfo>

#include <sqlite3.h>

namespace store {

namespace {

// Long enough for another copy of the program to finish its statement; a statement still blocked
// after that fails with "database is locked".
constexpr int kBusyTimeoutMs = 5000;

void execute(sqlite3 *db, const char *sql, const QString &context)
{
    if (sqlite3_exec(db, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
        throwSqliteFailure(db, context);
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
    if (!QFileInfo::exists(m_dataSource))
        throw DatabaseError(m_dataSource + QStringLiteral(": no such file"));

    sqlite3 *db = nullptr;
    const QByteArray path = m_dataSource.toUtf8();
    const int rc = sqlite3_open_v2(path.constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    try {
        if (rc != SQLITE_OK)
            throwSqliteFailure(db, m_dataSource);
        sqlite3_extended_result_codes(db, 1);
        sqlite3_busy_timeout(db, kBusyTimeoutMs);
        registerCollation(db);
        // Reading the schema is what tells a foreign file from a database.
        execute(db, "SELECT count(*) FROM sqlite_master", m_dataSource);
        if (!sqlite3_db_readonly(db, "main"))
            execute(db, "PRAGMA journal_mode=WAL", m_dataSource);
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
