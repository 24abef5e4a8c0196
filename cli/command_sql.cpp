#include "cli/commands.h"
#include "cli/configuredchannel.h"
#include "cli/output.h"

#include "store/querychannel.h"
#include "store/rowbuffer.h"

namespace cli {

namespace {

constexpr int kBatchRows = 512;

void printResult(store::QueryChannel &channel)
{
    printRow(channel.columnNames());
    const int columns = int(channel.columnNames().size());
    for (;;) {
        for (int row = 0; row < channel.fetched(); ++row) {
            QStringList fields;
            for (int column = 0; column < columns; ++column)
                fields.append(fieldText(channel.cell(row, column)));
            printRow(fields);
        }
        // Printed rows leave the channel's copy, so a large table streams through in batches.
        if (store::RowBuffer *rows = channel.rows())
            for (int row = channel.fetched() - 1; row >= 0; --row)
                rows->removeRow(row);
        if (channel.atEnd())
            return;
        channel.fetch(kBatchRows);
    }
}

int runStatement(const QString &statement)
{
    return withConfiguredChannel([&statement](store::QueryChannel &channel) {
        if (channel.yieldsRows(statement)) {
            channel.run(statement);
            printResult(channel);
        } else {
            channel.exec(statement);
        }
        return Success;
    });
}

class SqlCommand : public Command {
public:
    SqlCommand()
        : Command(QStringLiteral("sql"),
                  QStringLiteral("run one statement on history.dat and print its rows, tab-separated"))
    {
        addArgument(QStringLiteral("STATEMENT"),
                    QStringLiteral("in the program's dialect: \"text\" literals, select top N"));
        addDirectoryOption();
    }

protected:
    int run(const QCommandLineParser &parser) override
    {
        if (!enterDirectory(parser))
            return Failure;
        return runStatement(parser.positionalArguments().first());
    }
};

} // namespace

std::unique_ptr<Command> makeSqlCommand()
{
    return std::make_unique<SqlCommand>();
}

} // namespace cli
