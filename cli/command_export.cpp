#include "cli/commands.h"
#include "cli/configuredchannel.h"
#include "cli/separatoroption.h"
#include "cli/output.h"

#include "store/querychannel.h"
#include "transfer/tableexport.h"

namespace cli {

namespace {

const QCommandLineOption kTableOption(QStringLiteral("table"), QStringLiteral("the table (default: tab)"),
                                      QStringLiteral("NAME"), QStringLiteral("tab"));
const QCommandLineOption kFormatOption(QStringLiteral("format"),
                                       QStringLiteral("csv (RFC 4180, the default) or tsv (as sql prints)"),
                                       QStringLiteral("FORMAT"), QStringLiteral("csv"));
const QCommandLineOption kEncodingOption(QStringLiteral("encoding"),
                                         QStringLiteral("utf-8 (the default) or windows-1251, for spreadsheet "
                                                        "programs that read CSV in the Windows code page"),
                                         QStringLiteral("ENCODING"), QStringLiteral("utf-8"));

std::optional<transfer::Encoding> encodingNamed(const QString &name)
{
    if (name.compare(QLatin1String("utf-8"), Qt::CaseInsensitive) == 0)
        return transfer::Encoding::Utf8;
    if (name.compare(QLatin1String("windows-1251"), Qt::CaseInsensitive) == 0)
        return transfer::Encoding::Windows1251;
    return std::nullopt;
}

class ExportCommand : public Command {
public:
    ExportCommand()
        : Command(QStringLiteral("export"),
                  QStringLiteral("write a table of history.dat to standard output: a header row of its "
                                 "column names, then its rows"))
    {
        addDirectoryOption();
        addOption(kTableOption);
        addOption(kFormatOption);
        addOption(kSeparatorOption);
        addOption(kEncodingOption);
    }

protected:
    int run(const QCommandLineParser &parser) override
    {
        const QString table = parser.value(kTableOption);
        if (!transfer::isPlainName(table))
            return usageError(QStringLiteral("%1 is not a table name").arg(table));
        transfer::ExportOptions options;
        const QString format = parser.value(kFormatOption);
        if (format != QLatin1String("csv") && format != QLatin1String("tsv"))
            return usageError(QStringLiteral("--format is csv or tsv, not %1").arg(format));
        options.format = format == QLatin1String("csv") ? transfer::Format::Csv : transfer::Format::Tsv;
        if (parser.isSet(kSeparatorOption)) {
            const std::optional<char> separator = separatorNamed(parser.value(kSeparatorOption));
            if (!separator)
                return usageError(QStringLiteral("--separator is comma, semicolon or tab, not %1")
                                      .arg(parser.value(kSeparatorOption)));
            if (options.format == transfer::Format::Tsv)
                return usageError(QStringLiteral("--separator is for csv; tsv is separated by tabs"));
            options.separator = *separator;
        }
        const std::optional<transfer::Encoding> encoding = encodingNamed(parser.value(kEncodingOption));
        if (!encoding)
            return usageError(QStringLiteral("--encoding is utf-8 or windows-1251, not %1").arg(parser.value(kEncodingOption)));
        options.encoding = *encoding;
        if (!enterDirectory(parser))
            return Failure;
        const std::optional<config::ConfFile> conf = readConfFile();
        if (!conf)
            return Failure;

        // After what is printed so far; a write it refuses ends the export as any command's does.
        flushOutput();
        const auto exportTo = [&](store::QueryChannel &channel) -> int {
            const transfer::ExportOutcome outcome = transfer::exportTable(channel, table, options, standardOutput());
            if (const std::optional<transfer::ExportRefusal> &r = outcome.refusal) {
                printError(QStringLiteral("row %1, column %2: Windows-1251 cannot hold \"%3\"; the output ends "
                                          "before this row")
                               .arg(r->row)
                               .arg(r->column, r->value));
                return Failure;
            }
            return Success;
        };
        // A write standard output refuses is a store failure too, which main tells once.
        return withConfiguredChannel(*conf, exportTo, StoreFailure::LeftToMain);
    }
};

} // namespace

std::unique_ptr<Command> makeExportCommand()
{
    return std::make_unique<ExportCommand>();
}

} // namespace cli
