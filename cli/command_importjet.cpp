#include "cli/commands.h"
#include "messages/importtext.h"
#include "cli/output.h"

#include "jet/importerror.h"
#include "jet/importjet.h"

namespace cli {

namespace {

// Below this many rows an import is over before progress would be worth reading.
constexpr qint64 kLargeImport = 20000;
constexpr qint64 kProgressSteps = 10;

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

int importJet(const QString &source, const QString &target)
{
    jet::ImportSummary summary;
    try {
        summary = jet::importJetFile(source, target, progressPrinter());
    } catch (const jet::ImportError &e) {
        printError(messages::errorText(e));
        return Failure;
    }
    printRow({QStringLiteral("table"), QStringLiteral("stored as"), QStringLiteral("rows")});
    for (const jet::StoreWriter::TableResult &table : summary.tables)
        printRow({table.source, table.storedAs, QString::number(table.rows)});
    printLine(
        QStringLiteral("%1: %2 tables, %3 rows").arg(target).arg(summary.tables.size()).arg(summary.rows()));
    return Success;
}

const QCommandLineOption kIntoOption(QStringLiteral("into"), QStringLiteral("the new store (default: history.dat)"),
                                     QStringLiteral("FILE"), QStringLiteral("history.dat"));

class ImportJetCommand : public Command {
public:
    ImportJetCommand()
        : Command(QStringLiteral("import-jet"),
                  QStringLiteral("a new store from the Jet 4.0 file SOURCE, every table and row; SOURCE is only read"))
    {
        addArgument(QStringLiteral("SOURCE"), QStringLiteral("the Jet file"));
        addOption(kIntoOption);
    }

protected:
    int run(const QCommandLineParser &parser) override
    {
        const QString target = parser.value(kIntoOption);
        if (target.isEmpty())
            return usageError(QStringLiteral("--into needs a file name"));
        return importJet(parser.positionalArguments().first(), target);
    }
};

} // namespace

std::unique_ptr<Command> makeImportJetCommand()
{
    return std::make_unique<ImportJetCommand>();
}

} // namespace cli
