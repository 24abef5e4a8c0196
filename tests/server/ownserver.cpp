#include "tests/server/ownserver.h"

#include "store/provisioning/serverstorecreation.h"
#include "tests/server/serversession.h"

#include <QFile>
#include <QProcess>

#include <stdexcept>

OwnServer::OwnServer(const QStringList &options)
    : m_info(m_folder.filePath(QStringLiteral("server.conninfo")))
{
    runTestServerScript(QStringList{QStringLiteral("start"), m_info} + options);
}

OwnServer::OwnServer(const OwnServer &primary, const QStringList &options)
    : m_info(m_folder.filePath(QStringLiteral("server.conninfo")))
{
    runTestServerScript(QStringList{QStringLiteral("standby"), m_info, primary.m_info} + options);
}

OwnServer::~OwnServer()
{
    try {
        runTestServerScript({QStringLiteral("stop"), m_info});
    } catch (const std::runtime_error &) {
        // A server that will not stop leaves its scratch folder under /tmp; nothing more to do here.
    }
}

QString OwnServer::conninfo(const QString &database) const
{
    QFile file(m_info);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("the test's own server is not running");
    QString line = QString::fromUtf8(file.readAll()).trimmed();
    return line.replace(QStringLiteral("dbname=postgres"), QStringLiteral("dbname=") + database);
}

QString OwnServer::newDirectory(const QString &database)
{
    ServerSession(conninfo()).value("create database " + database.toStdString() + " template template0 encoding 'UTF8'");
    store::createServerDirectory(conninfo(database));
    return conninfo(database);
}

void OwnServer::halt(const QString &mode)
{
    runTestServerScript({QStringLiteral("halt"), m_info, mode});
}

void OwnServer::resume()
{
    runTestServerScript({QStringLiteral("resume"), m_info});
}

void OwnServer::promote()
{
    runTestServerScript({QStringLiteral("promote"), m_info});
}

void OwnServer::freeze()
{
    runTestServerScript({QStringLiteral("freeze"), m_info});
}

void OwnServer::thaw()
{
    runTestServerScript({QStringLiteral("thaw"), m_info});
}

void runTestServerScript(const QStringList &arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(QStringLiteral("sh"), QStringList{QStringLiteral(ZELVIK_TEST_SERVER_SCRIPT)} + arguments);
    if (!process.waitForFinished(180000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        throw std::runtime_error("testserver.sh " + arguments.join(u' ').toStdString() + " failed: "
                                 + process.readAll().toStdString());
}
