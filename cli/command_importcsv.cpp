#include "cli/commands.h"
#include "cli/configuredchannel.h"
#include "cli/separatoroption.h"
#include "messages/errortext.h"
#include "cli/output.h"

#include "transfer/csvimport.h"
#include "store/storeerror.h"
#include "store/querychannel.h"

#include <QFile>

namespace cli {

namespace {

// Below this size an import is over before progress would be worth reading.
constexpr qint64 kLargeFile = 4 << 20;
constexpr qint64 kProgressSteps = 10;

const QCommandLineOption kTableOption(QStringLiteral("table"), QStringLiteral("the table (default: tab)"),
                                      QStringLiteral("NAME"), QStringLiteral("tab"));

// "read 30% of the file" on stderr at every tenth of a large file.
transfer::ImportProgress progressPrinter()
{
    return [nextStep = qint64(1)](qint64 done, qint64 total) mutable {
        if (total < kLargeFile)
            return;
        const qint64 step = done * kProgressSteps / total;
        if (step < nextStep)
            return;
        nextStep = step + 1;
        printError(QStringLiteral("read %1% of the file").arg(step * 100 / kProgressSteps));
    };
}

QString refusalText(const transfer::ImportRefusal &r)
{
    using R = transfer::ImportRefusal;
    const QString where = QStringLiteral("line %1, column %2: ").arg(r.line).arg(r.column);
    switch (r.kind) {
    case R::UnknownTable:
        return QStringLiteral("no table %1 among the directory's tables").arg(r.value);
    case R::NoHeader:
        return QStringLiteral("line 1: no header row naming the columns");
    case R::MixedEncodings:
        return QStringLiteral("line %1: not in the encoding of the lines before it; the file mixes UTF-8 and "
                              "Windows-1251")
            .arg(r.line);
    case R::AmbiguousSeparator: {
        QStringList names;
        for (const QChar separator : r.value)
            names << separatorName(separator.toLatin1());
        return QStringLiteral("line 1: the header reads as columns with more than one separator (%1); say "
                              "which with --separator")
            .arg(names.join(QStringLiteral(", ")));
    }
    case R::UnknownColumn:
        return where + QStringLiteral("the table has no such column");
    case R::RepeatedColumn:
        return where + QStringLiteral("the column is named twice");
    case R::BrokenQuote:
        return where + QStringLiteral("a quoted field is not closed, or a quote stands inside a field");
    case R::FieldCount:
        return where + QStringLiteral("%1 fields where the header names %2").arg(r.value, r.detail);
    case R::NotANumber:
        return where + QStringLiteral("\"%1\" is not a whole number").arg(r.value);
    case R::OutOfRange:
        return where + QStringLiteral("%1 is out of range: the column holds whole numbers from %2 to %3")
                           .arg(r.value.trimmed())
                           .arg(r.lowest)
                           .arg(r.highest);
    case R::NulCharacter:
        return where + QStringLiteral("the value holds a NUL character, which no store keeps");
    case R::TooLong:
        return where + QStringLiteral("the value is %1 characters long; a text holds at most %2").arg(r.value, r.detail);
    case R::UndefinedByte:
        return where + QStringLiteral("byte 0x%1 is no character in Windows-1251").arg(r.value);
    case R::StoreRefused:
        break; // the store's words, in Russian (see run)
    }
    return {};
}

class ImportCsvCommand : public Command {
public:
    ImportCsvCommand()
        : Command(QStringLiteral("import-csv"),
                  QStringLiteral("add the rows of a CSV file (UTF-8 or Windows-1251, a header row naming the "
                                 "columns, separated as the header is unless --separator says) to a table of "
                                 "history.dat, all or none"))
    {
        addArgument(QStringLiteral("FILE"), QStringLiteral("the CSV file"));
        addDirectoryOption();
        addOption(kTableOption);
        addOption(kSeparatorOption);
    }

protected:
    int run(const QCommandLineParser &parser) override
    {
        std::optional<char> separator;
        if (parser.isSet(kSeparatorOption)) {
            separator = separatorNamed(parser.value(kSeparatorOption));
            if (!separator)
                return usageError(QStringLiteral("--separator is comma, semicolon or tab, not %1")
                                      .arg(parser.value(kSeparatorOption)));
        }
        // The file is named from where the command was given, before --directory is entered.
        const QString path = parser.positionalArguments().first();
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            printError(path + QStringLiteral(": ") + file.errorString());
            return Failure;
        }
        const qint64 size = file.size();
        QByteArray read;
        const uchar *mapped = size > 0 ? file.map(0, size) : nullptr;
        if (!mapped)
            read = file.readAll();
        const QByteArrayView bytes = mapped ? QByteArrayView(mapped, size) : QByteArrayView(read);
        if (!enterDirectory(parser))
            return Failure;
        return withConfiguredChannel(
            [&](store::QueryChannel &channel) {
                return report(path, parser.value(kTableOption),
                              transfer::importCsv(channel, parser.value(kTableOption), bytes, separator,
                                                  progressPrinter()));
            },
            StoreFailure::ToldNothingAdded);
    }

private:
    int report(const QString &path, const QString &table, const transfer::ImportOutcome &outcome)
    {
        if (outcome.refusal) {
            if (outcome.refusal->kind == transfer::ImportRefusal::UnknownTable)
                return usageError(refusalText(*outcome.refusal));
            // A row the store refused is told in the store's words, the rest in the command's own.
            const transfer::ImportRefusal &refusal = *outcome.refusal;
            if (refusal.kind == transfer::ImportRefusal::StoreRefused && refusal.storeError)
                printError(path + QStringLiteral(": ")
                           + messages::lineErrorText(refusal.line, *refusal.storeError) + QStringLiteral("\n")
                           + messages::nothingDoneText(messages::NothingDone::Added));
            else
                printError(path + QStringLiteral(": ") + refusalText(refusal) + QStringLiteral("; nothing was added"));
            return Failure;
        }
        printLine(QStringLiteral("%1: rows added: %2%3%4")
                      .arg(table)
                      .arg(outcome.rows)
                      .arg(outcome.emptyRows > 0 ? QStringLiteral(", empty rows skipped: %1").arg(outcome.emptyRows)
                                                 : QString())
                      .arg(outcome.encoding == transfer::Encoding::Windows1251 ? QStringLiteral(" (read as Windows-1251)")
                                                                                 : QString()));
        return Success;
    }
};

} // namespace

std::unique_ptr<Command> makeImportCsvCommand()
{
    return std::make_unique<ImportCsvCommand>();
}

} // namespace cli
