#include "cli/commands.h"
#include "messages/errortext.h"
#include "cli/output.h"

#include "store/connection.h"
#include "store/storeerror.h"
#include "store/provisioning/datafilechecks.h"
#include "store/querychannel.h"
#include "transfer/tableexport.h"

#include <QFile>

#include <cstdio>

namespace cli {

namespace {

const QCommandLineOption kTableOption(QStringLiteral("table"), QStringLiteral("the table (default: tab)"),
                                      QStringLiteral("NAME"), QStringLiteral("tab"));
const QCommandLineOption kFormatOption(QStringLiteral("format"),
                                       QStringLiteral("csv (RFC 4180, the default) or tsv (as sql prints)"),
                                       QStringLiteral("FORMAT"), QStringLiteral("csv"));

class ExportCommand : public Command {
public:
    ExportCommand()
        : Command(QStringLiteral("export"),
                  QStringLiteral("write a table of history.dat to standard output, UTF-8: a header row of its "
                                 "column names, then its rows"))
    {
        addDirectoryOption();
        addOption(kTableOption);
        addOption(kFormatOption);
    }

protected:
    int run(const QCommandLineParser &parser) override
    {
        const QString table = parser.value(kTableOption);
        if (!transfer::isPlainName(table))
            return usageError(QStringLiteral("%1 is not a table name").arg(table));
        const QString format = parser.value(kFormatOption);
        if (format != QLatin1String("csv") && format != QLatin1String("tsv"))
            return usageError(QStringLiteral("--format is csv or tsv, not %1").arg(format));
        if (!enterDirectory(parser))
            return Failure;
        const std::optional<config::ConfFile> conf = readConfFile();
        if (!conf)
            return Failure;

        flushOutput();
        QFile out;
        if (!out.open(stdout, QIODevice::WriteOnly)) {
            printError(QStringLiteral("cannot write to standard output: ") + out.errorString());
            return Failure;
        }
        store::Connection connection;
        store::useConfiguredStore(connection, *conf);
        store::QueryChannel channel(connection);
        try {
            transfer::exportTable(channel, table,
                                  format == QLatin1String("csv") ? transfer::Format::Csv : transfer::Format::Tsv, out);
        } catch (const store::StoreError &e) {
            out.flush();
            printError(messages::errorText(e));
            return Failure;
        }
        return Success;
    }
};

} // namespace

std::unique_ptr<Command> makeExportCommand()
{
    return std::make_unique<ExportCommand>();
}

} // namespace cli
