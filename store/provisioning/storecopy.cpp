#include "store/provisioning/storecopy.h"

#include "store/connection.h"
#include "store/provisioning/filestorecreation.h"
#include "store/provisioning/serverstorecreation.h"
#include "store/querychannel.h"
#include "store/schema.h"

#include <algorithm>
#include <climits>
#include <optional>

namespace store {

namespace {

QString latin(std::string_view text)
{
    return QString::fromLatin1(text.data(), qsizetype(text.size()));
}

QStringList columnNames(const TableDef &table)
{
    QStringList names;
    for (const ColumnDef &c : table.columns)
        names << latin(c.name);
    return names;
}

// Reads the source table in batches of rows, by ascending id where it has one, so that memory
// holds one batch whatever the table's size. Each batch is the channel's fetched rows.
void readTable(QueryChannel &source, const TableDef &table, int batchRows, const std::function<void(int)> &rows)
{
    const QString name = latin(table.name);
    const QString columns = columnNames(table).join(u',');
    if (!tableHasId(table.name)) {
        source.run(QStringLiteral("select %1 from %2").arg(columns, name));
        source.fetch(INT_MAX);
        rows(source.fetched());
        return;
    }
    std::optional<qint64> last;
    for (;;) {
        const QString after = last ? QStringLiteral(" where id>%1").arg(*last) : QString();
        source.run(QStringLiteral("select top %1 %2 from %3%4 order by id").arg(batchRows).arg(columns, name, after));
        source.fetch(batchRows);
        const int got = source.fetched();
        if (got == 0)
            return;
        rows(got);
        last = source.cell(got - 1, 0).toLongLong();
        if (got < batchRows)
            return;
    }
}

// Every program table from source into target, through the channels alone: the source read at one
// snapshot, so the copy is the store at one moment however others write to it meanwhile.
qint64 copyTables(QueryChannel &source, QueryChannel &target, int batchRows, const CopyProgress &progress)
{
    const ReadSnapshot snapshot(source);
    qint64 total = 0;
    for (const TableDef &table : programTables()) {
        const QString name = latin(table.name);
        const std::unique_ptr<BulkAppend> append = target.bulkAppend(name, columnNames(table));
        qint64 copied = 0;
        readTable(source, table, batchRows, [&](int count) {
            append->add(source.fetchedCells());
            copied += count;
            if (progress)
                progress(name, copied);
        });
        append->finish();
        total += copied;
    }
    return total;
}

} // namespace

StoreAddress storeAddress(const QString &text)
{
    const bool uri = text.startsWith(QLatin1String("postgresql://")) || text.startsWith(QLatin1String("postgres://"));
    if (uri || text.contains(u'='))
        return {QString(), text};
    return {text, QString()};
}

qint64 copyDirectory(const StoreAddress &source, const StoreAddress &target, const CopyProgress &progress,
                     int batchRows, RoleMembers members)
{
    Connection connection(source.file);
    if (source.isServer())
        connection.setServer(source.server);
    // A copy runs each of its few statements once or per batch: unnamed ones cost next to nothing
    // and leave nothing on the server connection, which a pooler may hand to another program next.
    connection.setTransactionPooling(true);
    QueryChannel channel(connection);
    channel.connect();
    qint64 total = 0;
    const auto fill = [&](QueryChannel &into) { total = copyTables(channel, into, std::max(batchRows, 1), progress); };
    if (target.isServer())
        createServerDirectory(target.server, fill, members);
    else
        createDirectoryFile(target.file, fill);
    return total;
}

} // namespace store
