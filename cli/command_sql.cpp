#include "commands.h"
#include "output.h"

#include "connection.h"
#include "databaseerror.h"
#include "querychannel.h"

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
        for (int row = channel.fetched() - 1; row >= 0; --row)
            channel.removeRow(row);
        if (channel.atEnd())
            return;
        channel.fetch(kBatchRows);
    }
}

} // namespace

int runSql(const QStringList &args)
{
    if (args.size() != 1) {
        printError(QStringLiteral("usage: zelvik-cli sql \"STATEMENT\""));
        return UsageError;
    }
    const QString &statement = args.first();
    store::Connection connection;
    store::QueryChannel channel(connection);
    try {
        if (channel.yieldsRows(statement)) {
            channel.run(statement);
            printResult(channel);
        } else {
            channel.exec(statement);
        }
    } catch (const store::DatabaseError &e) {
        printError(e.text());
        return Failure;
    }
    return Success;
}

} // namespace cli
