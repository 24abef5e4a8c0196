#pragma once

#include <QDeadlineTimer>
#include <QString>
#include <functional>
#include <memory>

namespace store {

class Backend;
class Connection;
class Cursor;

// Where a lookup on a server with a replica is read: on the replica when it has replayed this
// program's last write and has not failed lately, else on the server. It never fails a lookup:
// whatever goes wrong on the replica leaves lookups on the server for a while, told once.
class ReplicaRouter {
public:
    // unavailable hears the replica's name the first time it cannot be read.
    ReplicaRouter(Connection &server, std::function<void(const QString &)> unavailable);
    ~ReplicaRouter();
    ReplicaRouter(const ReplicaRouter &) = delete;
    ReplicaRouter &operator=(const ReplicaRouter &) = delete;

    // Whether the connection leads to a server with a replica.
    bool routes() const;
    enum class Answer { Found, Missed, NotAsked };
    // Opens the statement on the replica when it may be read there; rows found there become found.
    Answer lookup(const QString &statement, std::unique_ptr<Cursor> &found);
    // Remembers where the server's log stood after a write, so that the replica is not read until it
    // has replayed it.
    void noteWrite(Backend &server);

private:
    bool caughtUp();

    Connection &m_server;
    std::function<void(const QString &)> m_unavailable;
    std::unique_ptr<Backend> m_backend; // outlives the cursors found here, which use its statements
    QString m_writtenLsn; // the server's log position after this program's last write; empty when replayed
    QDeadlineTimer m_retry{0}; // the replica is left alone until this expires
    bool m_noticed = false;
};

} // namespace store
