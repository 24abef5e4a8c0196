#include "tests/server/poolerinfront.h"

#include "tests/server/ownserver.h"

#include <QFile>
#include <QRegularExpression>

#include <stdexcept>

PoolerInFront::PoolerInFront(const OwnServer &server, const QStringList &logins)
    : m_info(m_folder.filePath(QStringLiteral("pooler.conninfo")))
{
    QStringList arguments{QStringLiteral("pooler"), m_info, server.infoFile()};
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
    QFile file(m_info);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("the test's pooler is not running");
    QString line = QString::fromUtf8(file.readAll()).trimmed();
    line.replace(QRegularExpression(QStringLiteral("\\buser=\\S+")), QStringLiteral("user=") + login);
    return line.replace(QRegularExpression(QStringLiteral("\\bdbname=\\S+")), QStringLiteral("dbname=") + database);
}
