// zelvik-bench-report RESULTS.json: the table of benchmark pairs, their medians and ratios.
// Exits with 1 when a target is missed or a benchmark is missing.
#include "benchresults.h"

#include <QFile>

#include <cstdio>
#include <stdexcept>

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::fputs("usage: zelvik-bench-report RESULTS.json\n", stderr);
        return 2;
    }
    QFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "zelvik-bench-report: %s: %s\n", argv[1], qPrintable(file.errorString()));
        return 2;
    }
    try {
        const bench::BenchResults results = bench::BenchResults::fromJson(file.readAll());
        std::printf("Directory: %s entries (history.dat %s MB); machine: %s, %s CPUs, %s; %s build; %s\n\n",
                    qPrintable(results.context(QStringLiteral("directory_entries"))),
                    qPrintable(results.context(QStringLiteral("directory_megabytes"))),
                    qPrintable(results.context(QStringLiteral("cpu_model"))),
                    qPrintable(results.context(QStringLiteral("num_cpus"))),
                    qPrintable(results.context(QStringLiteral("memory"))),
                    qPrintable(results.context(QStringLiteral("zelvik_build"))),
                    qPrintable(results.context(QStringLiteral("date"))));
        bool allMet = false;
        std::fputs(qPrintable(bench::performanceTable(results, allMet)), stdout);
        return allMet ? 0 : 1;
    } catch (const std::exception &e) {
        std::fprintf(stderr, "zelvik-bench-report: %s\n", e.what());
        return 2;
    }
}
