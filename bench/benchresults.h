#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>

#include <optional>

namespace bench {

// One benchmark of a Google Benchmark JSON report: the median over its repetitions (or its only
// run), in nanoseconds, and the counters of that run.
struct Measurement {
    double nanoseconds = 0;    // wall clock
    double cpuNanoseconds = 0; // processor time of the benchmark's thread
    QMap<QString, double> counters;
};

class BenchResults {
public:
    // Throws std::runtime_error when the text is not such a report.
    static BenchResults fromJson(const QByteArray &json);

    // By the benchmark's own name (BM_RawPhone), whatever Google Benchmark appended to it.
    std::optional<Measurement> find(const QString &name) const;
    QString context(const QString &key) const { return m_context.value(key); }
    // Takes in the runs of another report (the server benchmarks'); a context key already set stays.
    void merge(const BenchResults &other);

private:
    QMap<QString, Measurement> m_medians;
    QMap<QString, Measurement> m_single;
    QMap<QString, QString> m_context;
};

// A pair of benchmarks and the most the product may take per unit of the floor.
struct PairTarget {
    QString title;
    QString floor;
    QString product;
    double maxRatio; // 0: shown for information, no target
    bool hasTarget() const { return maxRatio > 0; }
    // Work that waits (for the disk, for a child process) is timed by the wall clock; work that only
    // computes by its processor time, which other programs on a shared machine do not inflate.
    bool wallClock;
    // The benchmark that runs both sides by turns (its counters floor_ns and product_ns). Its
    // figures come first; the two separate benchmarks are the fallback.
    QString paired = {};
};

const QList<PairTarget> &pairTargets();

// "12.3 µs", "4.56 ms": three significant digits in the largest unit that keeps a whole number.
QString formatDuration(double nanoseconds);

// The heading of the report: the processor's model name first (the README keeps one table per
// processor kind), then the machine, the directory and the build.
QString reportHeading(const BenchResults &results);

// The table scripts/bench prints (Markdown): each pair with both medians, the ratio and whether it
// meets its target, then the memory figures. `allMet` tells whether every target was met and
// every benchmark found.
QString performanceTable(const BenchResults &results, bool &allMet);

} // namespace bench
