#include "tests/server/scramserver.h"

#include "tests/server/serversession.h"

#include <QFile>

#include <stdexcept>

namespace {

void writeFile(const QString &path, const QByteArray &bytes, QIODevice::OpenMode mode)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | mode) || file.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write " + path.toStdString());
}

} // namespace

ScramServer::ScramServer()
{
    const QString hba = m_folder.filePath(QStringLiteral("pg_hba.conf"));
    writeFile(hba, "local all postgres trust\nlocal all all scram-sha-256\n", {});
    const QString passwords = m_folder.filePath(QStringLiteral("pgpass"));
    writeFile(passwords, {}, {});
    // libpq ignores a password file that others may read.
    QFile::setPermissions(passwords, QFile::ReadOwner | QFile::WriteOwner);
    qputenv("PGPASSFILE", passwords.toLocal8Bit());
    m_server = std::make_unique<OwnServer>(
        QStringList{QStringLiteral("--hba"), hba, QStringLiteral("password_encryption=scram-sha-256")});
}

void ScramServer::addLogin(const QString &login, const QString &options)
{
    const QString password = login + QStringLiteral("-secret");
    const std::string made = asSuperuser(
        QStringLiteral("CREATE ROLE %1 LOGIN %2 PASSWORD '%3'").arg(login, options, password).toStdString());
    if (!made.empty())
        throw std::runtime_error("cannot make the login " + login.toStdString() + ": " + made);
    writeFile(m_folder.filePath(QStringLiteral("pgpass")), QStringLiteral("*:*:*:%1:%2\n").arg(login, password).toUtf8(),
              QIODevice::Append);
}

QString ScramServer::conninfo(const QString &database, const QString &login) const
{
    QString info = m_server->conninfo(database);
    if (!login.isEmpty())
        info.replace(QStringLiteral("user=postgres"), QStringLiteral("user=") + login);
    return info;
}

std::string ScramServer::asSuperuser(const std::string &sql, const QString &database) const
{
    ServerSession session(conninfo(database));
    return session.value(sql);
}
