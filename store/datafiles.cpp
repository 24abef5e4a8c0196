#include "datafiles.h"

#include "connection.h"
#include "databaseerror.h"

#include <QFile>
#include <QFileInfo>

namespace store {

bool dataFileExists(const QString &name)
{
    return QFileInfo(name).isFile();
}

QString configuredServer(const QString &confPath)
{
    // As the region's line: only a regular file is read, so a pipe cannot hold start-up up.
    if (!QFileInfo(confPath).isFile())
        return {};
    QFile file(confPath);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    static const QByteArray prefix("server=");
    file.readLine(); // the region's line
    while (!file.atEnd()) {
        QByteArray line = file.readLine();
        line.replace('\r', QByteArray());
        if (line.startsWith(prefix))
            return QString::fromUtf8(line.mid(prefix.size())).trimmed();
    }
    return {};
}

void useConfiguredStore(Connection &connection, const QString &confPath)
{
    connection.setServer(configuredServer(confPath));
}

QList<DatabaseError> dataFileProblems(const QString &server)
{
    QList<DatabaseError> problems;
    if (!dataFileExists(QStringLiteral("db.dat")))
        problems << DatabaseError(DatabaseError::Kind::DirectoryFileMissing, {});
    if (server.isEmpty()) {
        if (!dataFileExists(QStringLiteral("history.dat")))
            problems << DatabaseError(DatabaseError::Kind::HistoryFileMissing, {});
        return problems;
    }
    Connection probe;
    probe.setServer(server);
    try {
        probe.connect();
    } catch (const DatabaseError &e) {
        problems << DatabaseError::because(DatabaseError::Kind::ServerUnavailable, e);
    }
    return problems;
}

} // namespace store
