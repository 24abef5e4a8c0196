#include "store/sqlite/sqlitebulkappend.h"

namespace store {

namespace {

std::string insertSql(const QString &table, const QStringList &columns)
{
    QStringList marks;
    marks.fill(QStringLiteral("?"), columns.size());
    return QStringLiteral("INSERT INTO %1(%2) VALUES(%3)").arg(table, columns.join(u','), marks.join(u',')).toStdString();
}

} // namespace

SqliteBulkAppend::SqliteBulkAppend(StatementCache &cache, sqlite3 *db, const QString &table, const QStringList &columns)
    : m_insert(cache, db, insertSql(table, columns)), m_columnCount(std::size_t(columns.size()))
{
}

void SqliteBulkAppend::add(std::span<const QVariant> cells)
{
    if (m_columnCount == 0)
        return;
    for (std::size_t at = 0; at + m_columnCount <= cells.size(); at += m_columnCount) {
        m_insert.bind(cells.subspan(at, m_columnCount));
        while (m_insert.step()) {
        }
        m_insert.reset();
    }
}

} // namespace store
