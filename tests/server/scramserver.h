#pragma once

#include "tests/server/ownserver.h"

#include <QString>
#include <QTemporaryDir>

#include <memory>
#include <string>

// A server of the test's own on which logins prove who they are as an office's would: with
// scram-sha-256 and a password from a password file (PGPASSFILE, set for this process and the programs
// it starts). Only its superuser is trusted, for setting the office up.
class ScramServer {
public:
    ScramServer();

    // A new login whose password goes into the password file; options follow LOGIN (CREATEROLE, say).
    void addLogin(const QString &login, const QString &options = {});
    // The connection string to the database as that login; the superuser's without one.
    QString conninfo(const QString &database, const QString &login = {}) const;
    // A statement run as the superuser: its first value, or "error: " and the server's message.
    std::string asSuperuser(const std::string &sql, const QString &database = QStringLiteral("postgres")) const;

private:
    QTemporaryDir m_folder; // pg_hba.conf and the password file
    std::unique_ptr<OwnServer> m_server;
};
