#include "jet/storewriter.h"

#include "jet/columntypes.h"
#include "store/storeerror.h"
#include "store/schema.h"
#include "store/sqlite/sqlitebinding.h"
#include "store/sqlite/sqlitefailure.h"

#include <sqlite3.h>

namespace jet {

namespace {

// The program's table of that name, compared as Jet compares names (without regard to case).
const store::TableDef *programTable(const QString &name)
{
    for (const store::TableDef &table : store::programTables())
        if (name.compare(QLatin1String(table.name.data(), qsizetype(table.name.size())), Qt::CaseInsensitive) == 0)
            return &table;
    return nullptr;
}

const store::ColumnDef *programColumn(const store::TableDef &table, const QString &name)
{
    for (const store::ColumnDef &column : table.columns)
        if (name.compare(QLatin1String(column.name.data(), qsizetype(column.name.size())), Qt::CaseInsensitive) == 0)
            return &column;
    return nullptr;
}

QString latin(std::string_view text)
{
    return QString::fromLatin1(text.data(), qsizetype(text.size()));
}

} // namespace

StoreWriter::StoreWriter(const QString &path) : m_path(path)
{
    const QByteArray file = path.toUtf8();
    sqlite3 *db = nullptr;
    const int rc = sqlite3_open_v2(file.constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    m_db.reset(db);
    if (rc != SQLITE_OK)
        store::throwSqliteFailure(db, path);
    sqlite3_extended_result_codes(db, 1);
    // The file is thrown away unless finish() is reached, so no journal file is needed; the
    // commit itself is still written through to the disk before the file is renamed.
    execute(QStringLiteral("PRAGMA journal_mode=MEMORY"));
    execute(QStringLiteral("PRAGMA synchronous=FULL"));
    execute(QStringLiteral("BEGIN"));
    store::createSchema(db);
}

StoreWriter::~StoreWriter()
{
    sqlite3_finalize(m_insert);
}

void StoreWriter::execute(const QString &sql)
{
    if (sqlite3_exec(m_db.get(), sql.toUtf8().constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
        store::throwSqliteFailure(m_db.get(), m_path);
}

// The program's own table keeps its schema; a column it does not have is added, so nothing of the
// Jet table is lost.
QStringList StoreWriter::targetColumns(const SourceTable &table, const QString &target)
{
    const store::TableDef *own = programTable(target);
    QStringList columns;
    for (const SourceColumn &column : table.columns) {
        if (const store::ColumnDef *known = programColumn(*own, column.name)) {
            columns.append(latin(known->name));
            continue;
        }
        execute(QStringLiteral("ALTER TABLE %1 ADD COLUMN %2 %3")
                    .arg(target, quotedIdentifier(column.name), columnDeclaration(column.kind)));
        columns.append(column.name);
    }
    return columns;
}

QString StoreWriter::createCopiedTable(const SourceTable &table)
{
    const qsizetype rowid = rowidColumn(table);
    QStringList definitions;
    for (qsizetype i = 0; i < table.columns.size(); ++i) {
        const SourceColumn &column = table.columns.at(i);
        definitions.append(quotedIdentifier(column.name) + QLatin1Char(' ')
                           + (i == rowid ? rowidDeclaration(column) : columnDeclaration(column.kind)));
    }
    execute(QStringLiteral("CREATE TABLE %1 (%2)")
                .arg(quotedIdentifier(table.name), definitions.join(QStringLiteral(", "))));
    return table.name;
}

void StoreWriter::beginTable(const SourceTable &table)
{
    QString target;
    QStringList columns;
    if (const store::TableDef *own = programTable(table.name)) {
        target = latin(own->name);
        columns = targetColumns(table, target);
    } else {
        target = createCopiedTable(table);
        for (const SourceColumn &column : table.columns)
            columns.append(column.name);
    }

    QStringList quoted;
    for (const QString &column : columns)
        quoted.append(quotedIdentifier(column));
    QStringList placeholders(columns.size(), QStringLiteral("?"));
    const QString sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                            .arg(quotedIdentifier(target), quoted.join(QStringLiteral(", ")),
                                 placeholders.join(QStringLiteral(", ")));
    const QByteArray utf8 = sql.toUtf8();
    if (sqlite3_prepare_v3(m_db.get(), utf8.constData(), int(utf8.size()), SQLITE_PREPARE_PERSISTENT, &m_insert, nullptr)
        != SQLITE_OK)
        store::throwSqliteFailure(m_db.get(), table.name);
    m_current = {table.name, target, 0};
}

void StoreWriter::addRow(const SourceRow &row)
{
    for (qsizetype i = 0; i < row.size(); ++i)
        if (store::bindValue(m_insert, int(i) + 1, row.at(i)) != SQLITE_OK)
            store::throwSqliteFailure(m_db.get(), m_current.source);
    if (sqlite3_step(m_insert) != SQLITE_DONE)
        throw store::StoreError::because(store::StoreError::Kind::RowNotWritten, store::sqliteFailure(m_db.get()),
                                         {m_current.source, QString::number(m_current.rows + 1)});
    sqlite3_reset(m_insert);
    ++m_current.rows;
}

void StoreWriter::endTable()
{
    sqlite3_finalize(m_insert);
    m_insert = nullptr;
    m_tables.append(m_current);
}

void StoreWriter::finish()
{
    execute(QStringLiteral("COMMIT"));
    m_db.reset();
}

} // namespace jet
