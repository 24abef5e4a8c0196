// zelvik-bench-report RESULTS.json [SERVER.json]: the table of benchmark pairs, their medians and
// ratios, with the server benchmarks' when their report is given.
// Exits with 1 when a target is missed or a benchmark is missing.
#include "benchresults.h"

#include <QFile>

#include <cstdio>
#include <stdexcept>

int main(int argc, char *argv[])
{
    if (argc != 2 && argc != 3) {
        std::fputs("usage: zelvik-bench-report RESULTS.json [SERVER.json]\n", stderr);
        return 2;
    }
    QByteArray reports[2];
    for (int i = 1; i < argc; ++i) {
        QFile file(QString::fromLocal8Bit(argv[i]));
        if (!file.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "zelvik-bench-report: %s: %s\n", argv[i], qPrintable(file.errorString()));
            return 2;
        }
        reports[i - 1] = file.readAll();
    }
    try {
        bench::BenchResults results = bench::BenchResults::fromJson(reports[0]);
        if (argc == 3)
            results.merge(bench::BenchResults::fromJson(reports[1]));
        std::printf("%s\n", qPrintable(bench::reportHeading(results)));
        bool allMet = false;
        std::fputs(qPrintable(bench::performanceTable(results, allMet)), stdout);
        return allMet ? 0 : 1;
    } catch (const std::exception &e) {
        std::fprintf(stderr, "zelvik-bench-report: %s\n", e.what());
        return 2;
    }
}
