#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// pgbouncer in front of a server, on a Unix socket in a scratch folder of its own: what many
// operators' programs connect through. pool_mode=transaction with one server connection per login,
// so that two programs of one login always meet on the same server connection. Logins pass as
// they are (no user= of its own), and every login connects without a password. As root it runs as
// the postgres system user, as the test servers do. Stopped when the object goes; throws
// std::runtime_error when it does not start, so the test fails rather than skips.
class PoolerInFront {
public:
    // server: a libpq string with host= and port=; logins: every login that will connect.
    PoolerInFront(const QString &server, const QStringList &logins);
    ~PoolerInFront();
    PoolerInFront(const PoolerInFront &) = delete;
    PoolerInFront &operator=(const PoolerInFront &) = delete;

    // The connection string of a login to database, through the pooler.
    QString conninfo(const QString &login, const QString &database) const;

private:
    QTemporaryDir m_folder;
    QProcess m_process;
};
