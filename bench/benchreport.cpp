// zelvik-bench-report RESULTS.json [MORE.json...]: the table of benchmark pairs, their medians and
// ratios, from one or more Google Benchmark reports taken together (the first one's context heads it).
// Exits with 1 when a target is missed or a benchmark is missing.
#include "bench/benchresults.h"

#include <QFile>

#include <cstdio>
#include <stdexcept>

int main(int argc, char *argv[])
{
    if (argc < 2) {
        std::fputs("usage: zelvik-bench-report RESULTS.json [MORE.json...]\n", stderr);
        return 2;
    }
    QList<QByteArray> reports;
    for (int i = 1; i < argc; ++i) {
        QFile file(QString::fromLocal8Bit(argv[i]));
        if (!file.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "zelvik-bench-report: %s: %s\n", argv[i], qPrintable(file.errorString()));
            return 2;
        }
        reports.append(file.readAll());
    }
    try {
        bench::BenchResults results = bench::BenchResults::fromJson(reports[0]);
        for (qsizetype i = 1; i < reports.size(); ++i)
            results.merge(bench::BenchResults::fromJson(reports[i]));
        std::printf("%s\n", qPrintable(bench::reportHeading(results)));
        bool allMet = false;
        std::fputs(qPrintable(bench::performanceTable(results, allMet)), stdout);
        return allMet ? 0 : 1;
    } catch (const std::exception &e) {
        std::fprintf(stderr, "zelvik-bench-report: %s\n", e.what());
        return 2;
    }
}
