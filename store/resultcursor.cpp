#include "resultcursor.h"

#include "databaseerror.h"

#include <algorithm>
#include <climits>

namespace store {

ResultCursor::ResultCursor(StatementCache &cache, sqlite3 *db, JetTranslation translation)
    : m_cache(cache)
    , m_db(db)
    , m_translation(std::move(translation))
{
    m_statement.emplace(cache, db, m_translation.sql);
    m_statement->bind(m_translation);
    m_columnCount = m_statement->columnCount();
    for (int c = 0; c < m_columnCount; ++c) {
        m_columnNames.append(m_statement->columnName(c));
        const QString table = m_statement->columnTable(c);
        if (c == 0)
            m_sourceTable = table;
        else if (table != m_sourceTable)
            m_sourceTable.clear();
    }
    fetch(1);
}

int ResultCursor::columnIndex(const QString &name) const
{
    for (int c = 0; c < m_columnCount; ++c)
        if (m_columnNames[c].compare(name, Qt::CaseInsensitive) == 0)
            return c;
    return -1;
}

int ResultCursor::fetch(int maxRows)
{
    if (!m_statement || maxRows <= 0)
        return 0;
    int arrived = 0;
    try {
        if (m_suspended) {
            m_suspended = false;
            for (qint64 skipped = 0; skipped < m_stepped; ++skipped)
                if (!m_statement->step()) {
                    finish();
                    return 0;
                }
        }
        while (arrived < maxRows) {
            if (!m_statement->step()) {
                finish();
                break;
            }
            ++m_stepped;
            for (int c = 0; c < m_columnCount; ++c)
                m_cells.push_back(m_statement->value(c));
            ++m_rowCount;
            ++arrived;
        }
    } catch (const DatabaseError &) {
        // The failed step reset the statement: the next fetch starts over and skips what was read.
        m_suspended = true;
        throw;
    }
    return arrived;
}

int ResultCursor::count()
{
    if (!m_statement)
        return m_rowCount;
    if (!m_total) {
        // Counted while the statement still holds its read, so both see the same rows.
        try {
            const std::string_view query = std::string_view(m_translation.sql).substr(0, m_translation.statementEnd);
            Statement counter(m_cache, m_db, "select count(*) from (" + std::string(query) + ")");
            counter.bind(m_translation);
            m_total = counter.step() ? counter.value(0).toLongLong() : 0;
        } catch (const DatabaseError &) {
            // Not every statement that yields rows can be a subquery (a pragma, for one): read them all.
            fetch(INT_MAX);
            return m_rowCount;
        }
    }
    return int(m_rowCount + std::max<qint64>(0, *m_total - m_stepped));
}

void ResultCursor::suspend()
{
    if (m_statement && !m_suspended) {
        m_statement->reset();
        m_suspended = true;
        m_total.reset(); // the restarted read may see other rows
    }
}

void ResultCursor::finish()
{
    m_statement.reset();
    m_suspended = false;
    m_total.reset();
}

const QVariant &ResultCursor::cell(int row, int column) const
{
    static const QVariant none;
    if (row < 0 || row >= m_rowCount || column < 0 || column >= m_columnCount)
        return none;
    return m_cells[std::size_t(row) * std::size_t(m_columnCount) + std::size_t(column)];
}

void ResultCursor::setCell(int row, int column, const QVariant &value)
{
    if (row < 0 || row >= m_rowCount || column < 0 || column >= m_columnCount)
        return;
    m_cells[std::size_t(row) * std::size_t(m_columnCount) + std::size_t(column)] = value;
}

void ResultCursor::insertRow(int row, const std::vector<QVariant> &values)
{
    if (row < 0 || row > m_rowCount)
        return;
    std::vector<QVariant> padded = values;
    padded.resize(std::size_t(m_columnCount));
    m_cells.insert(m_cells.begin() + std::ptrdiff_t(row) * m_columnCount, padded.begin(), padded.end());
    ++m_rowCount;
}

void ResultCursor::removeRow(int row)
{
    if (row < 0 || row >= m_rowCount)
        return;
    const auto first = m_cells.begin() + std::ptrdiff_t(row) * m_columnCount;
    m_cells.erase(first, first + m_columnCount);
    --m_rowCount;
}

} // namespace store
