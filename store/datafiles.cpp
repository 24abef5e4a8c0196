#include "datafiles.h"

#include <QFileInfo>

namespace store {

bool dataFileExists(const QString &name)
{
    return QFileInfo(name).isFile();
}

QStringList missingDataFileMessages()
{
    QStringList messages;
    if (!dataFileExists(QStringLiteral("db.dat")))
        messages << QStringLiteral("Файл базы данных db.dat не найден!");
    if (!dataFileExists(QStringLiteral("history.dat")))
        messages << QStringLiteral("Файл привязок history.dat не найден!");
    return messages;
}

} // namespace store
