#include "tests/server/poolerinfront.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QRegularExpression>
#include <QThread>

#include <pwd.h>
#include <signal.h>
#include <unistd.h>

#include <stdexcept>

namespace {

constexpr int kPort = 6432;

QString conninfoValue(const QString &conninfo, const QString &key)
{
    const QRegularExpressionMatch match = QRegularExpression(key + QStringLiteral("=(\\S+)")).match(conninfo);
    if (!match.hasMatch())
        throw std::runtime_error("the server's connection string has no " + key.toStdString());
    return match.captured(1);
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write " + path.toStdString());
}

QString readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace

PoolerInFront::PoolerInFront(const QString &server, const QStringList &logins)
{
    const QString dir = m_folder.path();
    QByteArray users;
    for (const QString &login : logins)
        users += '"' + login.toUtf8() + "\" \"\"\n";
    writeFile(dir + QStringLiteral("/userlist.txt"), users);
    const QByteArray ini = "[databases]\n* = host=" + conninfoValue(server, QStringLiteral("host")).toUtf8()
        + " port=" + conninfoValue(server, QStringLiteral("port")).toUtf8()
        + "\n[pgbouncer]\nlisten_port = " + QByteArray::number(kPort) + "\nunix_socket_dir = " + dir.toUtf8()
        + "\nauth_type = trust\nauth_file = " + dir.toUtf8() + "/userlist.txt\npool_mode = transaction\n"
          "default_pool_size = 1\nmax_client_conn = 100\npidfile = "
        + dir.toUtf8() + "/pgbouncer.pid\nlogfile = " + dir.toUtf8() + "/pgbouncer.log\n";
    writeFile(dir + QStringLiteral("/pgbouncer.ini"), ini);

    QString program = QStringLiteral("/usr/sbin/pgbouncer");
    QStringList arguments{dir + QStringLiteral("/pgbouncer.ini")};
    if (::geteuid() == 0) { // pgbouncer refuses to run as root
        const passwd *postgres = ::getpwnam("postgres");
        if (!postgres || ::chown(dir.toLocal8Bit().constData(), postgres->pw_uid, postgres->pw_gid) != 0)
            throw std::runtime_error("cannot hand the pooler's folder to the postgres user");
        arguments = QStringList{QStringLiteral("-u"), QStringLiteral("postgres"), QStringLiteral("--"), program}
            + arguments;
        program = QStringLiteral("runuser");
    }
    m_process.setProcessChannelMode(QProcess::MergedChannels);
    m_process.start(program, arguments);
    const QString socket = dir + QStringLiteral("/.s.PGSQL.") + QString::number(kPort);
    for (QDeadlineTimer deadline(30000); !QFile::exists(socket); QThread::msleep(50)) {
        if (deadline.hasExpired() || m_process.state() == QProcess::NotRunning || m_process.waitForFinished(0))
            throw std::runtime_error("pgbouncer did not start: " + m_process.readAll().toStdString()
                                     + readFile(dir + QStringLiteral("/pgbouncer.log")).toStdString());
    }
}

PoolerInFront::~PoolerInFront()
{
    // runuser may not pass a signal on: the pooler itself is told to go.
    const pid_t pid = readFile(m_folder.filePath(QStringLiteral("pgbouncer.pid"))).trimmed().toInt();
    if (pid > 0)
        ::kill(pid, SIGTERM);
    if (!m_process.waitForFinished(10000)) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
}

QString PoolerInFront::conninfo(const QString &login, const QString &database) const
{
    return QStringLiteral("host=%1 port=%2 user=%3 dbname=%4").arg(m_folder.path()).arg(kPort).arg(login, database);
}
