#include "bench/machinedescription.h"

#include "bench/benchdirectory.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <benchmark/benchmark.h>

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

void bench::describeRun(const BenchDirectory &d)
{
    benchmark::AddCustomContext("directory_entries", std::to_string(d.entries));
    benchmark::AddCustomContext(
        "directory_megabytes", std::to_string(QFileInfo(QString::fromStdString(d.historyPath)).size() / (1024 * 1024)));
    benchmark::AddCustomContext("cpu_model", cpuModel());
    benchmark::AddCustomContext("memory", memorySize());
    benchmark::AddCustomContext("zelvik_build", ZELVIK_BUILD_TYPE);
    benchmark::AddCustomContext("rare_surname", d.rareSurname + " (" + std::to_string(d.rareRows) + " rows)");
    benchmark::AddCustomContext("common_surname", d.commonSurname + " (" + std::to_string(d.commonRows) + " rows)");
}
