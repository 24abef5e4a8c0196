#include "tests/server/testdirectory.h"

#include "store/connection.h"
#include "store/provisioning/filestorecreation.h"
#include "store/provisioning/serverstorecreation.h"
#include "store/schema.h"

#include <QFile>
#include <QRegularExpression>

#include <libpq-fe.h>

#include <atomic>
#include <stdexcept>
#include <unistd.h>

std::string storeName(const ::testing::TestParamInfo<StoreKind> &info)
{
    return info.param == StoreKind::File ? "File" : "Server";
}

QString testServer()
{
    QFile file(QStringLiteral(ZELVIK_TEST_SERVER_FILE));
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("the test server is not running: run the tests through ctest, whose pgserver "
                                 "fixture starts it (or tests/server/testserver.sh start " ZELVIK_TEST_SERVER_FILE ")");
    return QString::fromUtf8(file.readAll()).trimmed();
}

QString withDatabase(const QString &conninfo, const QString &database)
{
    QString result = conninfo;
    result.replace(QRegularExpression(QStringLiteral("dbname=\\S+")), QStringLiteral("dbname=") + database);
    return result;
}

QString newServerDatabase()
{
    static std::atomic<int> made{0};
    const QString server = testServer();
    const QString name = QStringLiteral("zt_%1_%2").arg(::getpid()).arg(++made);
    PGconn *conn = PQconnectdb(server.toUtf8().constData());
    const QByteArray create = "CREATE DATABASE " + name.toUtf8() + " TEMPLATE template0 ENCODING 'UTF8'";
    PGresult *result = PQexec(conn, create.constData());
    const bool ok = PQresultStatus(result) == PGRES_COMMAND_OK;
    const std::string error = PQerrorMessage(conn);
    PQclear(result);
    PQfinish(conn);
    if (!ok)
        throw std::runtime_error("cannot make a database on the test server: " + error);
    return withDatabase(server, name);
}

QStringList liftTextLimit(StoreKind kind)
{
    if (kind == StoreKind::File)
        return {QStringLiteral("drop trigger if exists tab_text_limit_insert"),
                QStringLiteral("drop trigger if exists tab_text_limit_update")};
    QStringList drops;
    for (const store::ColumnDef &column : store::programTables().front().columns)
        if (column.kind == store::ColumnKind::Text)
            drops << QStringLiteral("drop constraint if exists ")
                    + QString::fromStdString(store::serverTextLimitName(column.name));
    return {QStringLiteral("alter table tab ") + drops.join(QStringLiteral(", "))};
}

TestDirectory::TestDirectory(StoreKind kind)
    : m_kind(kind)
{
    QByteArray config = "bd=\xd2\xe5\xf1\xf2\n"; // Тест, in Windows-1251 as conf.cfg is read
    if (kind == StoreKind::Server) {
        m_server = newServerDatabase();
        store::createServerDirectory(m_server);
        config += "server=" + m_server.toUtf8() + "\n";
    } else {
        store::createDirectoryFile(historyPath());
    }
    QFile conf(m_folder.filePath(QStringLiteral("conf.cfg")));
    QFile marker(m_folder.filePath(QStringLiteral("db.dat")));
    if (!conf.open(QIODevice::WriteOnly) || conf.write(config) != config.size() || !marker.open(QIODevice::WriteOnly))
        throw std::runtime_error("cannot write the test directory's files");
}

store::StoreAddress TestDirectory::address() const
{
    return m_kind == StoreKind::Server ? store::StoreAddress{QString(), m_server}
                                       : store::StoreAddress{historyPath(), QString()};
}

void TestDirectory::configure(store::Connection &connection) const
{
    connection.setDataSource(historyPath());
    if (m_kind == StoreKind::Server)
        connection.setServer(m_server);
}
