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

QStringList missingDataFileMessages(const QString &server)
{
    QStringList messages;
    if (!dataFileExists(QStringLiteral("db.dat")))
        messages << QStringLiteral("Файл базы данных db.dat не найден!");
    if (server.isEmpty()) {
        if (!dataFileExists(QStringLiteral("history.dat")))
            messages << QStringLiteral("Файл привязок history.dat не найден!");
        return messages;
    }
    Connection probe;
    probe.setServer(server);
    try {
        probe.connect();
    } catch (const DatabaseError &e) {
        messages << QStringLiteral("Справочник на сервере недоступен: ") + e.text();
    }
    return messages;
}

} // namespace store
