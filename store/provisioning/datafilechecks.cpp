#include "store/provisioning/datafilechecks.h"

#include "store/connection.h"
#include "store/storeerror.h"

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

QList<StoreError> dataFileProblems(const QString &server)
{
    QList<StoreError> problems;
    if (!dataFileExists(QStringLiteral("db.dat")))
        problems << StoreError(StoreError::Kind::DirectoryFileMissing, {});
    if (server.isEmpty()) {
        if (!dataFileExists(QStringLiteral("history.dat")))
            problems << StoreError(StoreError::Kind::HistoryFileMissing, {});
        return problems;
    }
    Connection probe;
    probe.setServer(server);
    try {
        probe.connect();
    } catch (const StoreError &e) {
        problems << StoreError::because(StoreError::Kind::ServerUnavailable, e);
    }
    return problems;
}

} // namespace store
