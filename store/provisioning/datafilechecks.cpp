#include "store/provisioning/datafilechecks.h"

#include "store/connection.h"
#include "store/storeerror.h"

#include <QFileInfo>

namespace store {

bool dataFileExists(const QString &name)
{
    return QFileInfo(name).isFile();
}

QList<StoreError> dataFileProblems(const QString &server, std::chrono::milliseconds timeout)
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
    probe.setTimeout(timeout);
    try {
        probe.connect();
    } catch (const StoreError &e) {
        problems << StoreError::because(StoreError::Kind::ServerUnavailable, e);
    }
    return problems;
}

} // namespace store
