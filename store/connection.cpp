#include "store/connection.h"

#include "config/conffile.h"
#include "store/schema.h"
#include "store/sqlite/collation.h"
#include "store/storeerror.h"
#include "store/sqlite/fileopening.h"
#include "store/postgres/serverconnection.h"
#include "store/platform/networkshare.h"
#include "store/sqlite/sqlitefailure.h"

#include <QFile>
#include <QFileInfo>

#include <libpq-fe.h>
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
        const StoreError failure = sqliteFailure(db, context);
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
        throw StoreError(StoreError::Kind::NotADirectoryFile, {name});
    if (sqlite3_db_readonly(db, "main") == 1)
        return; // nothing can be written through this connection
    const QString verdict = firstValue(db, "PRAGMA quick_check(1)", name);
    if (verdict != QLatin1String("ok"))
        throw StoreError(StoreError::Kind::DamagedFile, {QFileInfo(name).fileName(), verdict.section(u'\n', -1)});
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

// A WAL file's index lives in memory shared on one host: over the network two computers would each
// keep their own and damage the file. The rollback journal locks through the file system instead.
void leaveWal(sqlite3 *db, const QString &name)
{
    if (firstValue(db, "PRAGMA journal_mode", name) != QLatin1String("wal") || sqlite3_db_readonly(db, "main") == 1)
        return;
    if (sqlite3_exec(db, "PRAGMA journal_mode=DELETE", nullptr, nullptr, nullptr) != SQLITE_OK)
        throw StoreError(StoreError::Kind::NetworkShareJournal, {name, QString::fromUtf8(sqlite3_errmsg(db))});
}

// A file made before the text limit's triggers (schema.h) gets them the first time it is opened for
// writing; one that may not be written is read as it is.
void holdTextLimit(sqlite3 *db)
{
    if (sqlite3_db_readonly(db, "main") == 1)
        return;
    try {
        addTextLimitTriggers(db);
    } catch (const StoreError &e) {
        if (e.kind() != StoreError::Kind::ReadOnlyFile)
            throw;
    }
}

NetworkShareProbe g_networkShareProbe = nullptr;

bool isOnNetworkShare(const QString &path)
{
    return g_networkShareProbe ? g_networkShareProbe(path) : isOnNetworkFileSystem(path);
}

} // namespace

bool conninfoHoldsPassword(const QString &conninfo)
{
    // No server, no need to load libpq for the answer.
    return !conninfo.isEmpty() && holdsPassword(conninfo);
}

void setNetworkShareProbe(NetworkShareProbe probe)
{
    g_networkShareProbe = probe;
}

Connection::Connection(QString dataSource)
    : m_dataSource(std::move(dataSource)), m_timeout(config::kServerTimeout)
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
    m_networkShare.reset();
}

void Connection::setServer(const QString &conninfo)
{
    close();
    m_server = conninfo;
}

void Connection::setReplica(const QString &conninfo)
{
    if (conninfo.isEmpty()) {
        m_replica.reset();
        return;
    }
    m_replica = std::make_unique<Connection>();
    m_replica->setServer(conninfo);
    m_replica->setTimeout(config::kReplicaTimeout);
    m_replica->setTransactionPooling(m_transactionPooling);
}

void Connection::setTransactionPooling(bool on)
{
    m_transactionPooling = on;
    if (m_replica)
        m_replica->setTransactionPooling(on);
}

QString Connection::storeName() const
{
    return isServer() ? serverName(m_server) : m_dataSource;
}

void Connection::connect()
{
    if (isOpen())
        return;
    if (isServer())
        connectServer();
    else
        connectFile();
    ++m_generation;
}

void Connection::connectServer()
{
    std::unique_ptr<PGconn, decltype(&PQfinish)> conn(openServer(m_server, m_timeout), &PQfinish);
    const QString name = serverName(m_server);
    if (!serverHasDirectory(conn.get(), name, m_timeout))
        throw StoreError(StoreError::Kind::ServerWithoutDirectory, {name});
    m_rights = serverEntryRights(conn.get(), {m_server, m_timeout});
    m_serverConn = conn.release();
}

void Connection::connectFile()
{
    // A directory cannot be opened, and a pipe would wait for a writer for ever.
    if (!QFileInfo(m_dataSource).isFile())
        throw StoreError(StoreError::Kind::FileMissing, {m_dataSource});

    SqliteHandle opened = openDatabaseFile(m_dataSource, SQLITE_OPEN_READWRITE);
    // Closed again by the handle if anything below fails.
    sqlite3 *db = opened.get();
    registerCollation(db);
    // Damaged pages are refused as they are read, before a write could build on them.
    execute(db, "PRAGMA cell_size_check=ON", m_dataSource);
    if (onNetworkShare()) {
        leaveWal(db, m_dataSource);
        checkBeforeFirstUse(db, m_dataSource);
    } else if (firstValue(db, "PRAGMA journal_mode", m_dataSource) != QLatin1String("wal")) {
        checkBeforeFirstUse(db, m_dataSource);
        switchToWal(db, m_dataSource);
    }
    execute(db, "PRAGMA synchronous=FULL", m_dataSource);
    holdTextLimit(db);
    m_db = opened.release();
}

bool Connection::onNetworkShare() const
{
    if (isServer())
        return false;
    if (!m_networkShare)
        m_networkShare = isOnNetworkShare(m_dataSource);
    return *m_networkShare;
}

void Connection::borrow(sqlite3 *db, const QString &path)
{
    close();
    m_dataSource = path;
    m_networkShare.reset();
    m_server.clear();
    m_db = db;
    m_borrowed = true;
    ++m_generation;
}

void Connection::borrowServer(pg_conn *conn, const QString &conninfo)
{
    close();
    m_server = conninfo;
    m_serverConn = conn;
    m_borrowed = true;
    ++m_generation;
}

void Connection::close()
{
    if (m_borrowed) {
        // Given back to its owner; nothing is left to open again, so a later statement fails.
        m_db = nullptr;
        m_serverConn = nullptr;
        m_borrowed = false;
        m_dataSource.clear();
        m_server.clear();
        return;
    }
    // A channel may still hold prepared statements; the handle lingers until it finalises them.
    sqlite3_close_v2(m_db);
    m_db = nullptr;
    m_rights = EntryRights::all();
    PQfinish(m_serverConn);
    m_serverConn = nullptr;
    if (m_replica)
        m_replica->close();
}

} // namespace store
