#pragma once

#include "store/entryrights.h"
#include "store/jetdialect.h"

#include <QString>

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>

struct sqlite3;
struct pg_conn;

namespace store {

// One connection to the directory, opened on first use: SQLite on the
// directory file, or libpq to a PostgreSQL server when one is set. Neither file nor tables are ever
// created here: a missing or foreign store is an error (see zelvik-cli init).
class Connection {
public:
    explicit Connection(QString dataSource = QStringLiteral("history.dat"));
    ~Connection();
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;

    void setDataSource(const QString &path); // closes an open connection
    const QString &dataSource() const { return m_dataSource; }
    // A libpq connection string or postgresql:// URI: the directory is on that server from now on,
    // not in the file. Empty goes back to the file. Closes an open connection.
    void setServer(const QString &conninfo);
    const QString &server() const { return m_server; }
    // The server is reached through a pooler that hands each transaction to any of its server
    // connections (pgbouncer's pool_mode=transaction): nothing may be left on the server connection
    // after a transaction, so statements are unnamed, parsed again each time. Kept across setServer,
    // and holds for the replica too, which is reached through the same pooler.
    void setTransactionPooling(bool on);
    // Whether statements must leave nothing behind: through such a pooler, or on a borrowed handle,
    // whose transaction its owner ends (on a pooled connection too, for all this side knows).
    bool unnamedStatements() const { return m_transactionPooling || m_borrowed; }
    bool isServer() const { return !m_server.isEmpty(); }
    // A streaming standby of the server that may answer lookups; empty for none. Its own connection,
    // opened by whoever reads there, never by connect(): a standby that is down costs no search.
    void setReplica(const QString &conninfo);
    Connection *replica() const { return m_replica.get(); }
    // How long connecting to the server, and each statement there, may wait for it: past that the
    // statement is cancelled, the connection given up (the server rolls back its transaction) and
    // StoreError ServerTimedOut thrown. The configured server_timeout= (config::kServerTimeout by
    // default); a replica's is its replica_timeout= (config::kReplicaTimeout).
    void setTimeout(std::chrono::milliseconds timeout) { m_timeout = timeout; }
    std::chrono::milliseconds timeout() const { return m_timeout; }
    Dialect dialect() const { return isServer() ? Dialect::Postgres : Dialect::Sqlite; }
    // The file's path, or the server's host, port and database: what messages name.
    QString storeName() const;

    // Opens the file if not yet open (WAL, busy timeout, synchronous=FULL, the text collation, and
    // the text limit's triggers for a file made before them that may be written); nothing
    // otherwise. A file not yet in WAL is first checked to be a sound directory file and
    // left untouched when it is not. A file that may not be written is opened for the lookups all the
    // same (see openDatabaseFile); writes then fail saying so. A file on a network file system keeps
    // (or goes back to) a rollback journal, which locks through the file system, never WAL.
    // On a server: connects, and checks that the directory's tables are there.
    // Throws StoreError naming the problem.
    void connect();
    bool isOpen() const { return m_db != nullptr || m_serverConn != nullptr; }
    // A store being made elsewhere, inside the transaction that creates it (provisioning fills a new
    // store so): the connection uses the open handle as it is, never checks it and never closes it.
    // close() gives it back, and leaves nothing to open until a data source or server is set.
    void borrow(sqlite3 *db, const QString &path);
    void borrowServer(pg_conn *conn, const QString &conninfo);
    bool isBorrowed() const { return m_borrowed; }
    void close();

    // What this login may do to the entries, asked once as the server connection opens (a borrowed
    // one is the owner's, a file's is all): the grid offers only these actions until the next opening.
    const EntryRights &entryRights() const { return m_rights; }

    sqlite3 *handle() const { return m_db; }
    pg_conn *serverHandle() const { return m_serverConn; }
    // Counts the openings, so that a result knows it belongs to an earlier one.
    std::uint64_t generation() const { return m_generation; }
    // The directory file lies on a network file system (NFS, SMB/CIFS, sshfs and the like), where
    // it is used with a rollback journal, never WAL; false on a server. The file system is asked once
    // per data source, by connect() or by whoever asks before, open or not: what the window tells the
    // user is what the connection does.
    bool onNetworkShare() const;

private:
    void connectFile();
    void connectServer();

    QString m_dataSource;
    QString m_server;
    sqlite3 *m_db = nullptr;
    pg_conn *m_serverConn = nullptr;
    std::uint64_t m_generation = 0;
    mutable std::optional<bool> m_networkShare; // not asked yet for this data source
    bool m_borrowed = false; // the handle is another's
    bool m_transactionPooling = false;
    std::chrono::milliseconds m_timeout;
    EntryRights m_rights = EntryRights::all();
    std::unique_ptr<Connection> m_replica;
};

// Whether a server's connection string carries a password or a key's passphrase (password=,
// sslpassword=, in either form, as libpq reads it), which belongs in ~/.pgpass (or PGPASSFILE, a
// service file) rather than in conf.cfg or a command line.
bool conninfoHoldsPassword(const QString &conninfo);

// Tells the connections whether a file lies on a network share in place of its file system's type,
// which is what they go by otherwise (a network share cannot be had in a test); null puts it back.
using NetworkShareProbe = bool (*)(const QString &path);
void setNetworkShareProbe(NetworkShareProbe probe);

} // namespace store
