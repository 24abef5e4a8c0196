#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// Runs tests/server/testserver.sh with the arguments; throws std::runtime_error with its output when
// it fails.
void runTestServerScript(const QStringList &arguments);

// A PostgreSQL server of a test's own, for tests that stop, restart, promote or reconfigure a server,
// which the suite's shared server must never be. Started by tests/server/testserver.sh (see its
// options); stopped and removed when the object goes. Every step throws std::runtime_error when the
// server does not do it, so the test fails rather than skips.
class OwnServer {
public:
    explicit OwnServer(const QStringList &options = {});
    // A streaming standby of primary (pg_basebackup -R), already replaying.
    OwnServer(const OwnServer &primary, const QStringList &options);
    ~OwnServer();
    OwnServer(const OwnServer &) = delete;
    OwnServer &operator=(const OwnServer &) = delete;

    // The connection string of the server's superuser, to database.
    QString conninfo(const QString &database = QStringLiteral("postgres")) const;
    // A new database holding an empty directory (its tables, as init --server makes them); its
    // connection string.
    QString newDirectory(const QString &database);
    // pg_ctl stop with mode (smart, fast or immediate); the files stay for resume().
    void halt(const QString &mode);
    void resume();
    void promote();
    // Every process of the server stopped (SIGSTOP): connections are accepted, nothing is answered.
    void freeze();
    void thaw();
    // The file the script keeps the server's connection string in, for the script's other actions.
    const QString &infoFile() const { return m_info; }

private:

    QTemporaryDir m_folder;
    QString m_info;
};
