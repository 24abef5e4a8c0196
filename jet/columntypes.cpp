#include "jet/columntypes.h"

#include "store/schema.h"

namespace jet {

QString columnDeclaration(ColumnKind kind)
{
    switch (kind) {
    case ColumnKind::Boolean:
    case ColumnKind::Integer:
        return QStringLiteral("INTEGER");
    case ColumnKind::Real:
        return QStringLiteral("REAL");
    case ColumnKind::Money:
    case ColumnKind::Decimal:
        // Exact decimal text from Jet; ANY keeps it as it came in a STRICT table, and gives numeric
        // affinity elsewhere, where SQLite turns it into a number only without loss.
        return QStringLiteral("ANY");
    case ColumnKind::DateTime:
        return QStringLiteral("TEXT");
    case ColumnKind::Text:
    case ColumnKind::Memo:
    case ColumnKind::Guid:
        return QStringLiteral("TEXT COLLATE ") + QLatin1String(store::kCollation);
    case ColumnKind::Binary:
    case ColumnKind::OleObject:
    case ColumnKind::Other:
        break;
    }
    return QStringLiteral("BLOB");
}

qsizetype rowidColumn(const SourceTable &table)
{
    qsizetype found = -1;
    for (qsizetype i = 0; i < table.columns.size(); ++i) {
        if (!table.columns.at(i).primaryKey)
            continue;
        if (found >= 0)
            return -1; // a key of several columns
        found = i;
    }
    return found >= 0 && table.columns.at(found).kind == ColumnKind::Integer ? found : -1;
}

QString rowidDeclaration(const SourceColumn &column)
{
    return column.autoNumber ? QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT")
                             : QStringLiteral("INTEGER PRIMARY KEY");
}

QString quotedIdentifier(const QString &name)
{
    QString quoted = name;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

} // namespace jet
