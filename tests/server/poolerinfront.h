#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

class OwnServer;

// pgbouncer in front of a server (tests/server/testserver.sh pooler): what many operators' programs
// connect through. pool_mode=transaction with one server connection per login (unless told more), so
// that two programs of one login always meet on the same server connection; with a standby, its
// database as NAME_replica for the replica= line. Logins pass as they are (no user= of its own),
// and every login connects without a password. Stopped when the object goes; throws
// std::runtime_error when it does not start, so the test fails rather than skips.
class PoolerInFront {
public:
    // logins: every login that will connect besides postgres; standby: a standby of server the pooler
    // also leads to, as database NAME_replica, NAME being database (else the server's own, postgres);
    // poolSize: the server connections of each login.
    PoolerInFront(const OwnServer &server, const QStringList &logins, const OwnServer *standby = nullptr,
                  const QString &database = {}, int poolSize = 1);
    ~PoolerInFront();
    PoolerInFront(const PoolerInFront &) = delete;
    PoolerInFront &operator=(const PoolerInFront &) = delete;

    // The connection string of a login to database, through the pooler.
    QString conninfo(const QString &login, const QString &database) const;
    // The connection string of a login to the standby, through the pooler.
    QString replicaConninfo(const QString &login) const;

private:
    QTemporaryDir m_folder;
    QString m_info;
};
