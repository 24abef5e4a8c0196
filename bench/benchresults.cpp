#include "bench/benchresults.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <stdexcept>

namespace bench {

namespace {

constexpr double kMaxAddedMegabytes = 30;
constexpr double kMaxClickMilliseconds = 50;

// "BM_RawPhone/real_time" and "BM_StartupBareWindow/iterations:1/repeats:15/manual_time" are
// BM_RawPhone and BM_StartupBareWindow.
QString baseName(const QString &runName)
{
    return runName.section(QLatin1Char('/'), 0, 0);
}

double toNanoseconds(double value, const QString &unit)
{
    if (unit == QLatin1String("us"))
        return value * 1e3;
    if (unit == QLatin1String("ms"))
        return value * 1e6;
    if (unit == QLatin1String("s"))
        return value * 1e9;
    return value;
}

Measurement measurement(const QJsonObject &run)
{
    static const QStringList fixedFields = {
        QStringLiteral("name"), QStringLiteral("family_index"), QStringLiteral("per_family_instance_index"),
        QStringLiteral("run_name"), QStringLiteral("run_type"), QStringLiteral("repetitions"),
        QStringLiteral("repetition_index"), QStringLiteral("threads"), QStringLiteral("iterations"),
        QStringLiteral("real_time"), QStringLiteral("cpu_time"), QStringLiteral("time_unit"),
        QStringLiteral("aggregate_name"), QStringLiteral("aggregate_unit"), QStringLiteral("error_occurred"),
        QStringLiteral("error_message")};
    Measurement m;
    const QString unit = run.value(QStringLiteral("time_unit")).toString();
    m.nanoseconds = toNanoseconds(run.value(QStringLiteral("real_time")).toDouble(), unit);
    m.cpuNanoseconds = toNanoseconds(run.value(QStringLiteral("cpu_time")).toDouble(), unit);
    for (auto it = run.begin(); it != run.end(); ++it)
        if (!fixedFields.contains(it.key()) && it.value().isDouble())
            m.counters.insert(it.key(), it.value().toDouble());
    return m;
}

QString ratioText(double ratio)
{
    return QString::number(ratio, 'f', 2);
}

// The main window's memory and the click on the common surname.
QString windowParagraph(const BenchResults &results, bool &allMet)
{
    QString table;
    const auto memory = results.find(QStringLiteral("BM_MainWindowMemory"));
    const auto counter = [&](const char *name) { return memory ? memory->counters.value(QLatin1String(name), -1) : -1; };
    const double added = counter("rss_added_mb");
    const bool memoryMet = memory && added >= 0 && added <= kMaxAddedMegabytes;
    const double click = counter("click_ms");
    const bool clickMet = memory && click >= 0 && click < kMaxClickMilliseconds;
    allMet = allMet && memoryMet && clickMet;
    table += QStringLiteral("\nMain window resident memory: %1 MB at idle, %2 MB with the common surname's result shown "
                            "(+%3 MB, target ≤ +%4 MB: %5); the grid holds %6 rows.\n")
                 .arg(QString::number(counter("rss_idle_mb"), 'f', 1), QString::number(counter("rss_shown_mb"), 'f', 1),
                      QString::number(added, 'f', 1), QString::number(kMaxAddedMegabytes),
                      memoryMet ? QStringLiteral("met") : QStringLiteral("MISSED"),
                      QString::number(counter("rows_in_grid")));
    table += QStringLiteral("The click on the common surname held the window %1 ms, the median of %2 clicks (target < %3 ms: "
                            "%4); the first click %5 ms, the slowest %6 ms.\n")
                 .arg(QString::number(click, 'f', 1), QString::number(counter("clicks")), QString::number(kMaxClickMilliseconds),
                      clickMet ? QStringLiteral("met") : QStringLiteral("MISSED"),
                      QString::number(counter("click_first_ms"), 'f', 1), QString::number(counter("click_max_ms"), 'f', 1));
    return table;
}

// The operator loads: on the server alone, and scaled out (replica and pooler). Sound when nothing
// failed, every stored entry is on the primary and no new surname was invented twice; scaled out,
// the replica must also have answered most searches.
QString operatorTable(const BenchResults &results, bool &allMet)
{
    const std::pair<const char *, const char *> loads[] = {
        {"BM_ServerOperators", "the server alone"},
        {"BM_ScaledOutOperators", "server + streaming replica, through pgbouncer (transaction)"},
    };
    QString table;
    for (const auto &[name, title] : loads) {
        const auto load = results.find(QLatin1String(name));
        if (!load)
            continue;
        const auto value = [&](const char *counter) { return load->counters.value(QLatin1String(counter), -1); };
        const bool scaledOut = QLatin1String(name) == QLatin1String("BM_ScaledOutOperators");
        const bool replicaCarries = !scaledOut || value("on_replica") * 2 > value("searches");
        const bool sound = value("errors") == 0 && value("rows_accounted") == 1 && value("invented_again") == 0
                           && replicaCarries;
        allMet = allMet && sound;
        if (table.isEmpty())
            table = QStringLiteral("\n| operators at once | processes | searches | searches/s | median | 99th percentile | errors | "
                                   "grid edits | entries stored | on the primary | read on the replica | invented again | WAL written | verdict |\n"
                                   "|---|---:|---:|---:|---:|---:|---:|---:|---:|---|---:|---:|---:|---|\n");
        table += QStringLiteral("| %1 | %2 | %3 | %4 | %5 ms | %6 ms | %7 | %8 | %9 | %10 | %11 | %12 | %13 MB | %14 |\n")
                     .arg(QLatin1String(title), QString::number(value("operators")), QString::number(value("searches")),
                          QString::number(value("searches_per_s"), 'f', 0), QString::number(value("p50_ms"), 'f', 2),
                          QString::number(value("p99_ms"), 'f', 2), QString::number(value("errors")),
                          QString::number(value("edits")), QString::number(value("invented_rows")))
                     .arg(value("rows_accounted") == 1 ? QStringLiteral("all") : QStringLiteral("NOT all"),
                          scaledOut ? QString::number(value("on_replica")) : QStringLiteral("—"),
                          QString::number(value("invented_again")), QString::number(value("wal_mb"), 'f', 1),
                          sound ? QStringLiteral("met") : QStringLiteral("MISSED"));
    }
    if (!table.isEmpty())
        table += QStringLiteral("\nEvery server, the pooler and all the operator processes ran on this one machine: a floor, "
                                "not a forecast.\n");
    return table;
}

} // namespace

BenchResults BenchResults::fromJson(const QByteArray &json)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (document.isNull() || !document.object().value(QStringLiteral("benchmarks")).isArray())
        throw std::runtime_error("not a Google Benchmark JSON report: " + error.errorString().toStdString());
    BenchResults results;
    const QJsonObject context = document.object().value(QStringLiteral("context")).toObject();
    for (auto it = context.begin(); it != context.end(); ++it)
        results.m_context.insert(it.key(), it.value().isString() ? it.value().toString()
                                                                 : QString::number(it.value().toDouble()));
    for (const QJsonValue &value : document.object().value(QStringLiteral("benchmarks")).toArray()) {
        const QJsonObject run = value.toObject();
        if (run.value(QStringLiteral("error_occurred")).toBool())
            continue;
        const QString name = baseName(run.value(QStringLiteral("run_name")).toString());
        const QString type = run.value(QStringLiteral("run_type")).toString();
        if (type == QLatin1String("aggregate")
            && run.value(QStringLiteral("aggregate_name")).toString() == QLatin1String("median"))
            results.m_medians.insert(name, measurement(run));
        else if (type == QLatin1String("iteration") && run.value(QStringLiteral("repetitions")).toInt(1) <= 1)
            results.m_single.insert(name, measurement(run));
    }
    return results;
}

void BenchResults::merge(const BenchResults &other)
{
    m_medians.insert(other.m_medians);
    m_single.insert(other.m_single);
    for (auto it = other.m_context.begin(); it != other.m_context.end(); ++it)
        if (!m_context.contains(it.key()))
            m_context.insert(it.key(), it.value());
}

std::optional<Measurement> BenchResults::find(const QString &name) const
{
    if (const auto it = m_medians.find(name); it != m_medians.end())
        return *it;
    if (const auto it = m_single.find(name); it != m_single.end())
        return *it;
    return std::nullopt;
}

const QList<PairTarget> &pairTargets()
{
    static const QList<PairTarget> targets = {
        {QStringLiteral("rare surname"), QStringLiteral("BM_RawRareSurname"), QStringLiteral("BM_ChannelRareSurname"), 1.15,
         false, QStringLiteral("BM_PairRareSurname")},
        {QStringLiteral("phone"), QStringLiteral("BM_RawPhone"), QStringLiteral("BM_ChannelPhone"), 1.15, false,
         QStringLiteral("BM_PairPhone")},
        {QStringLiteral("common surname, first screen"), QStringLiteral("BM_RawCommonFirstScreen"),
         QStringLiteral("BM_ChannelCommonFirstScreen"), 1.5, false, QStringLiteral("BM_PairCommonFirstScreen")},
        {QStringLiteral("synthesis of four entries (durable inserts)"), QStringLiteral("BM_RawSynthesise4"),
         QStringLiteral("BM_SearchSynthesise4"), 1.3, true, QStringLiteral("BM_PairSynthesise4")},
        {QStringLiteral("GUI search, rare surname"), QStringLiteral("BM_GuiBaselineRows"), QStringLiteral("BM_GuiSearchRare"), 1.3,
         false, QStringLiteral("BM_PairGuiSearch")},
        {QStringLiteral("start-up to first frame"), QStringLiteral("BM_StartupBareWindow"),
         QStringLiteral("BM_StartupMainWindow"), 1.3, true},
        {QStringLiteral("zelvik-cli find, whole process"), QStringLiteral("BM_CliBareFind"), QStringLiteral("BM_CliFind"),
         1.3, true},
        // What QtCore alone costs a short-lived process: no target, for reading the row above.
        {QStringLiteral("QtCore and SQLite against SQLite alone (information)"), QStringLiteral("BM_CliPlainCFind"),
         QStringLiteral("BM_CliBareFind"), 0, true},
        // The Windows build under wine on the same file (scripts/bench with a build-windows): wine's
        // own cost is not the program's to beat.
        {QStringLiteral("zelvik-cli find, Windows build under wine (information)"), QStringLiteral("BM_CliFind"),
         QStringLiteral("BM_WineCliFind"), 0, true},
        {QStringLiteral("GUI search, rare surname, Windows build under wine (information)"),
         QStringLiteral("BM_GuiSearchRare"), QStringLiteral("BM_WineGuiSearchRare"), 0, true},
        {QStringLiteral("import-csv, a million rows (one transaction)"), QStringLiteral("BM_RawInsertRows"),
         QStringLiteral("BM_ImportCsv"), 1.3, true, QStringLiteral("BM_PairImport")},
        {QStringLiteral("export, a million rows as CSV"), QStringLiteral("BM_RawExportRows"),
         QStringLiteral("BM_ExportCsv"), 1.3, false},
    };
    return targets;
}

// On the server the client mostly waits, so both sides are timed by the wall clock.
const QList<PairTarget> &serverPairTargets()
{
    static const QList<PairTarget> targets = {
        {QStringLiteral("rare surname on the server"), QStringLiteral("BM_RawServerRareSurname"),
         QStringLiteral("BM_ChannelServerRareSurname"), 1.3, true},
        {QStringLiteral("phone on the server"), QStringLiteral("BM_RawServerPhone"), QStringLiteral("BM_ChannelServerPhone"),
         1.3, true},
        // What the record of changes adds to a search that invents four entries: by turns alone.
        {QStringLiteral("synthesis of four entries on the server, recorded (information)"),
         QStringLiteral("unrecorded"), QStringLiteral("recorded"), 0, true, QStringLiteral("BM_PairServerRecordedSynthesis")},
    };
    return targets;
}

QString formatDuration(double nanoseconds)
{
    static const struct {
        double scale;
        const char *unit;
    } units[] = {{1e9, "s"}, {1e6, "ms"}, {1e3, "µs"}, {1, "ns"}};
    for (const auto &u : units)
        if (nanoseconds >= u.scale || u.scale == 1) {
            const double value = nanoseconds / u.scale;
            const int decimals = value >= 100 ? 0 : value >= 10 ? 1 : 2;
            return QString::number(value, 'f', decimals) + QLatin1Char(' ') + QString::fromUtf8(u.unit);
        }
    return {};
}

QString reportHeading(const BenchResults &results)
{
    const auto context = [&results](const char *key) {
        const QString value = results.context(QLatin1String(key));
        return value.isEmpty() ? QStringLiteral("?") : value;
    };
    return QStringLiteral("### %1\n\n%2 CPUs, %3; directory of %4 entries (history.dat %5 MB); %6 build; %7\n")
        .arg(context("cpu_model"), context("num_cpus"), context("memory"), context("directory_entries"),
             context("directory_megabytes"), context("zelvik_build"), context("date"));
}

QString performanceTable(const BenchResults &results, bool &allMet)
{
    allMet = true;
    QString table = QStringLiteral("| work | clock | floor | floor median | product | product median | ratio | target |\n"
                                   "|---|---|---|---:|---|---:|---:|---|\n");
    // The server's part is reported when it ran (scripts/bench runs it with a server at hand), and
    // it may run alone (scripts/bench --server-only): then the file's pairs are not missing, only not run.
    const bool serverRan = results.find(QStringLiteral("BM_ServerOperators")) || results.find(QStringLiteral("BM_RawServerRareSurname"));
    bool fileRan = false;
    for (const PairTarget &pair : pairTargets())
        fileRan = fileRan || results.find(pair.floor) || results.find(pair.product);
    QList<PairTarget> pairs;
    if (fileRan || !serverRan)
        pairs += pairTargets();
    if (serverRan)
        pairs += serverPairTargets();
    for (const PairTarget &pair : pairs) {
        const auto time = [&pair](const Measurement &m) { return pair.wallClock ? m.nanoseconds : m.cpuNanoseconds; };
        std::optional<double> floor, product;
        if (const auto paired = pair.paired.isEmpty() ? std::nullopt : results.find(pair.paired);
            paired && paired->counters.contains(QStringLiteral("floor_ns"))
            && paired->counters.contains(QStringLiteral("product_ns"))) {
            floor = paired->counters.value(QStringLiteral("floor_ns"));
            product = paired->counters.value(QStringLiteral("product_ns"));
        } else {
            if (const auto f = results.find(pair.floor))
                floor = time(*f);
            if (const auto p = results.find(pair.product))
                product = time(*p);
        }
        QString ratio = QStringLiteral("—"), verdict = QStringLiteral("missing");
        if (floor && product && *floor > 0) {
            const double r = *product / *floor;
            ratio = ratioText(r);
            if (!pair.hasTarget())
                verdict = QStringLiteral("no target");
            else
                verdict = (r <= pair.maxRatio ? QStringLiteral("≤ %1 met") : QStringLiteral("≤ %1 MISSED"))
                              .arg(ratioText(pair.maxRatio));
            allMet = allMet && (!pair.hasTarget() || r <= pair.maxRatio);
        } else {
            allMet = allMet && !pair.hasTarget();
        }
        table += QStringLiteral("| %1 | %2 | `%3` | %4 | `%5` | %6 | %7 | %8 |\n")
                     .arg(pair.title, pair.wallClock ? QStringLiteral("wall") : QStringLiteral("CPU"), pair.floor,
                          floor ? formatDuration(*floor) : QStringLiteral("—"), pair.product,
                          product ? formatDuration(*product) : QStringLiteral("—"), ratio, verdict);
    }

    if (fileRan || !serverRan)
        table += windowParagraph(results, allMet);
    table += operatorTable(results, allMet);
    return table;
}

} // namespace bench
