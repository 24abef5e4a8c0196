#include "tests/server/poolerinfront.h"

#include "tests/server/ownserver.h"

#include <QFile>
#include <QRegularExpression>

#include <stdexcept>

namespace {

// The pooler's line in file, as login.
QString pooledLine(const QString &file, const QString &login)
{
    QFile info(file);
    if (!info.open(QIODevice::ReadOnly))
        throw std::runtime_error("the test's pooler is not running");
    QString line = QString::fromUtf8(info.readAll()).trimmed();
    return line.replace(QRegularExpression(QStringLiteral("\\buser=\\S+")), QStringLiteral("user=") + login);
}

} // namespace

PoolerInFront::PoolerInFront(const OwnServer &server, const QStringList &logins, const OwnServer *standby,
                             const QString &database, int poolSize)
    : m_info(m_folder.filePath(QStringLiteral("pooler.conninfo")))
{
    QStringList arguments{QStringLiteral("pooler"), m_info, server.infoFile(), QStringLiteral("--pool-size"),
                          QString::number(poolSize)};
    if (standby)
        arguments << QStringLiteral("--replica") << standby->infoFile();
    if (!database.isEmpty())
        arguments << QStringLiteral("--database") << database;
    for (const QString &login : logins)
        arguments << QStringLiteral("--login") << login;
    runTestServerScript(arguments);
}

PoolerInFront::~PoolerInFront()
{
    try {
        runTestServerScript({QStringLiteral("stop"), m_info});
    } catch (const std::runtime_error &) {
        // A pooler that will not stop leaves its scratch folder under /tmp; nothing more to do here.
    }
}

QString PoolerInFront::conninfo(const QString &login, const QString &database) const
{
    return pooledLine(m_info, login)
        .replace(QRegularExpression(QStringLiteral("\\bdbname=\\S+")), QStringLiteral("dbname=") + database);
}

QString PoolerInFront::replicaConninfo(const QString &login) const
{
    return pooledLine(m_info + QStringLiteral(".replica"), login);
}
