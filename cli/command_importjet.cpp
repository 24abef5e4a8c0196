#include "commands.h"
#include "output.h"

#include "importerror.h"
#include "importjet.h"

#include <optional>

namespace cli {

namespace {

const QString kUsage = QStringLiteral("usage: zelvik-cli import-jet SOURCE [--into FILE]");

// Below this many rows an import is over before progress would be worth reading.
constexpr qint64 kLargeImport = 20000;
constexpr qint64 kProgressSteps = 10;

struct ImportJetOptions {
    QString source;
    QString target = QStringLiteral("history.dat");
};

std::optional<ImportJetOptions> parse(const QStringList &args, QString &problem)
{
    ImportJetOptions options;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &arg = args[i];
        if (arg == QLatin1String("--into")) {
            if (++i == args.size()) {
                problem = QStringLiteral("--into needs a file name");
                return std::nullopt;
            }
            options.target = args[i];
        } else if (arg.startsWith(QLatin1String("--into="))) {
            options.target = arg.mid(7);
        } else if (arg.startsWith(QLatin1Char('-')) || !options.source.isEmpty()) {
            problem = QStringLiteral("unexpected argument %1").arg(arg);
            return std::nullopt;
        } else {
            options.source = arg;
        }
    }
    if (options.source.isEmpty() || options.target.isEmpty()) {
        problem = QStringLiteral("a source file is needed");
        return std::nullopt;
    }
    return options;
}

// "rows D of T" on stderr at every tenth of a large import.
jet::ProgressFn progressPrinter()
{
    return [nextStep = qint64(1)](qint64 done, qint64 total) mutable {
        if (total < kLargeImport)
            return;
        const qint64 step = done * kProgressSteps / total;
        if (step < nextStep)
            return;
        nextStep = step + 1;
        printError(QStringLiteral("rows %1 of %2").arg(done).arg(total));
    };
}

} // namespace

int runImportJet(const QStringList &args)
{
    QString problem;
    const std::optional<ImportJetOptions> options = parse(args, problem);
    if (!options) {
        printError(problem + QLatin1Char('\n') + kUsage);
        return UsageError;
    }
    jet::ImportSummary summary;
    try {
        summary = jet::importJetFile(options->source, options->target, progressPrinter());
    } catch (const jet::ImportError &e) {
        printError(e.text());
        return Failure;
    }
    printRow({QStringLiteral("table"), QStringLiteral("stored as"), QStringLiteral("rows")});
    for (const jet::StoreWriter::TableResult &table : summary.tables)
        printRow({table.source, table.storedAs, QString::number(table.rows)});
    printLine(
        QStringLiteral("%1: %2 tables, %3 rows").arg(options->target).arg(summary.tables.size()).arg(summary.rows()));
    return Success;
}

} // namespace cli
