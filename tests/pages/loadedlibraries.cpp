#include "tests/pages/loadedlibraries.h"

#include <QFile>

bool libraryLoaded(const QString &name)
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly))
        return false;
    return QString::fromLocal8Bit(maps.readAll()).contains(name);
}
