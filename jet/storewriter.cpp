#include "jet/storewriter.h"

#include "jet/columntypes.h"
#include "store/storeerror.h"
#include "store/schema.h"

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

StoreWriter::StoreWriter(const QString &path) : m_file(path)
{
}

StoreWriter::~StoreWriter() = default;

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
        m_file.execute(QStringLiteral("ALTER TABLE %1 ADD COLUMN %2 %3")
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
    m_file.execute(QStringLiteral("CREATE TABLE %1 (%2)")
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
    m_file.beginInsert(sql, table.name);
    m_current = {table.name, target, 0};
}

void StoreWriter::addRow(const SourceRow &row)
{
    m_file.insert(row);
    ++m_current.rows;
}

void StoreWriter::endTable()
{
    m_file.endInsert();
    m_tables.append(m_current);
}

void StoreWriter::finish()
{
    m_file.commit();
}

} // namespace jet
