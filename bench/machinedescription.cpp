#include "bench/machinedescription.h"

#include <QFile>
#include <QStringList>

namespace bench {

namespace {

// The value of the first "key : value" line of a /proc file that starts with key.
QString procField(const char *file, const char *key)
{
    QFile f(QString::fromLatin1(file));
    // /proc files claim to be empty: read them whole rather than trusting their size.
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    const QStringList lines = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'));
    for (const QString &line : lines)
        if (line.startsWith(QLatin1String(key)))
            return line.section(QLatin1Char(':'), 1).simplified();
    return {};
}

} // namespace

std::string cpuModel()
{
    const QString model = procField("/proc/cpuinfo", "model name");
    return model.isEmpty() ? std::string("unknown processor") : model.toStdString();
}

std::string memorySize()
{
    const QString total = procField("/proc/meminfo", "MemTotal"); // "24576000 kB"
    const double kilobytes = total.section(QLatin1Char(' '), 0, 0).toDouble();
    return kilobytes > 0 ? QString::number(kilobytes / 1024 / 1024, 'f', 0).toStdString() + " GB RAM" : "unknown memory";
}

} // namespace bench
