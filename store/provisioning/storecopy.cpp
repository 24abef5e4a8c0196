#include "store/provisioning/storecopy.h"

#include "store/connection.h"
#include "store/cursor.h"
#include "store/storeerror.h"
#include "store/provisioning/filestorecreation.h"
#include "store/postgres/preparedstatements.h"
#include "store/querychannel.h"
#include "store/schema.h"
#include "store/provisioning/serverstorecreation.h"
#include "store/postgres/serverconnection.h"
#include "store/sqlite/statement.h"

#include <QScopeGuard>

#include <climits>
#include <optional>

#include <libpq-fe.h>
#include <sqlite3.h>

namespace store {

namespace {

constexpr int kBatchRows = 5000;

QString columnList(const TableDef &table)
{
    QStringList names;
    for (const ColumnDef &c : table.columns)
        names << QString::fromLatin1(c.name.data(), qsizetype(c.name.size()));
    return names.join(u',');
}

// Reads the source table in batches of rows, by ascending id where it has one, so that memory
// holds one batch whatever the table's size.
void readTable(QueryChannel &source, const TableDef &table, const std::function<void(QueryChannel &, int)> &rows)
{
    const QString name = QString::fromLatin1(table.name.data(), qsizetype(table.name.size()));
    const QString columns = columnList(table);
    if (!tableHasId(table.name)) {
        source.run(QStringLiteral("select %1 from %2").arg(columns, name));
        source.fetch(INT_MAX);
        rows(source, source.fetched());
        return;
    }
    std::optional<qint64> last;
    for (;;) {
        const QString after = last ? QStringLiteral(" where id>%1").arg(*last) : QString();
        source.run(QStringLiteral("select top %1 %2 from %3%4 order by id").arg(kBatchRows).arg(columns, name, after));
        source.fetch(kBatchRows);
        const int got = source.fetched();
        if (got == 0)
            return;
        rows(source, got);
        last = source.cell(got - 1, 0).toLongLong();
        if (got < kBatchRows)
            return;
    }
}

// COPY's text format: a backslash, tab, newline and carriage return escaped, NULL as \N.
void appendCopyField(QByteArray &line, const QVariant &value)
{
    if (value.isNull()) {
        line.append("\\N");
        return;
    }
    const QByteArray text = value.typeId() == QMetaType::LongLong ? QByteArray::number(value.toLongLong())
                                                                  : value.toString().toUtf8();
    for (const char c : text) {
        switch (c) {
        case '\\':
            line.append("\\\\");
            break;
        case '\t':
            line.append("\\t");
            break;
        case '\n':
            line.append("\\n");
            break;
        case '\r':
            line.append("\\r");
            break;
        default:
            line.append(c);
        }
    }
}

qint64 copyToServer(QueryChannel &source, const QString &conninfo, const CopyProgress &progress)
{
    const QString name = serverName(conninfo);
    pg_conn *conn = openServer(conninfo);
    const auto finish = qScopeGuard([conn] { PQfinish(conn); });
    qint64 total = 0;
    serverCommand(conn, "BEGIN", name);
    try {
        createServerTables(conn, name);
        for (const TableDef &table : programTables()) {
            const QString tableName = QString::fromLatin1(table.name.data(), qsizetype(table.name.size()));
            const QByteArray copy = QStringLiteral("COPY %1(%2) FROM STDIN").arg(tableName, columnList(table)).toUtf8();
            const PgResult started(PQexec(conn, copy.constData()));
            if (PQresultStatus(started.get()) != PGRES_COPY_IN)
                throw serverFailure(conn, started.get(), name);
            qint64 copied = 0;
            readTable(source, table, [&](QueryChannel &rows, int count) {
                QByteArray data;
                for (int r = 0; r < count; ++r) {
                    for (int c = 0; c < int(table.columns.size()); ++c) {
                        if (c > 0)
                            data.append('\t');
                        appendCopyField(data, rows.cell(r, c));
                    }
                    data.append('\n');
                }
                if (PQputCopyData(conn, data.constData(), int(data.size())) != 1)
                    throw serverFailure(conn, nullptr, name);
                copied += count;
                if (progress)
                    progress(tableName, copied);
            });
            if (PQputCopyEnd(conn, nullptr) != 1)
                throw serverFailure(conn, nullptr, name);
            const PgResult ended(PQgetResult(conn));
            if (PQresultStatus(ended.get()) != PGRES_COMMAND_OK)
                throw serverFailure(conn, ended.get(), name);
            while (PGresult *rest = PQgetResult(conn))
                PQclear(rest);
            total += copied;
        }
        // New entries go on after the highest id copied.
        serverCommand(conn, "select setval(pg_get_serial_sequence('tab', 'id'), coalesce(max(id), 0) + 1, false) from tab",
                      name);
        serverCommand(conn, "COMMIT", name);
    } catch (...) {
        PQclear(PQexec(conn, "ROLLBACK"));
        throw;
    }
    return total;
}

qint64 copyToFile(QueryChannel &source, const QString &path, const CopyProgress &progress)
{
    qint64 total = 0;
    createDirectoryFile(path, [&](sqlite3 *db) {
        StatementCache cache;
        for (const TableDef &table : programTables()) {
            const QString tableName = QString::fromLatin1(table.name.data(), qsizetype(table.name.size()));
            QStringList marks;
            marks.fill(QStringLiteral("?"), qsizetype(table.columns.size()));
            const QByteArray sql = QStringLiteral("INSERT INTO %1(%2) VALUES(%3)")
                                       .arg(tableName, columnList(table), marks.join(u','))
                                       .toUtf8();
            qint64 copied = 0;
            readTable(source, table, [&](QueryChannel &rows, int count) {
                Statement insert(cache, db, std::string_view(sql.constData(), std::size_t(sql.size())));
                QVariantList values;
                for (int r = 0; r < count; ++r) {
                    values.clear();
                    for (int c = 0; c < int(table.columns.size()); ++c)
                        values << rows.cell(r, c);
                    insert.bind(values);
                    while (insert.step()) {
                    }
                    insert.reset();
                }
                copied += count;
                if (progress)
                    progress(tableName, copied);
            });
            total += copied;
        }
    });
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

qint64 copyDirectory(const StoreAddress &source, const StoreAddress &target, const CopyProgress &progress)
{
    Connection connection(source.file);
    if (source.isServer())
        connection.setServer(source.server);
    QueryChannel channel(connection);
    channel.connect();
    return target.isServer() ? copyToServer(channel, target.server, progress)
                             : copyToFile(channel, target.file, progress);
}

} // namespace store
