#include "store/cursor.h"

#include <algorithm>

namespace store {

const QVariant Cursor::kNoCell;

namespace {

// Cells whose room a closed cursor keeps: a few screens. The room of a result scrolled through to
// its end goes with it.
constexpr std::size_t kKeptCells = 4096;

} // namespace

int Cursor::columnIndex(const QString &name) const
{
    for (int c = 0; c < m_columnCount; ++c)
        if (m_columnNames[c].compare(name, Qt::CaseInsensitive) == 0)
            return c;
    return -1;
}

void Cursor::clearRows()
{
    // Assigned rather than cleared: the names are shared with the statement's description, and
    // clearing a shared list allocates a new one.
    m_columnNames = QStringList();
    m_sourceTable = QString();
    m_columnCount = 0;
    if (m_cells.capacity() > kKeptCells)
        std::vector<QVariant>().swap(m_cells);
    else
        m_cells.clear(); // keeps its capacity for the next result
    m_rowCount = 0;
    m_aheadRows = 0;
}

int Cursor::handOut(int maxRows)
{
    const int arrived = std::min(maxRows, m_aheadRows);
    m_aheadRows -= arrived;
    m_rowCount += arrived;
    return arrived;
}

void Cursor::setCell(int row, int column, const QVariant &value)
{
    if (row < 0 || row >= m_rowCount || column < 0 || column >= m_columnCount)
        return;
    m_cells[std::size_t(row) * std::size_t(m_columnCount) + std::size_t(column)] = value;
}

void Cursor::insertRow(int row, const std::vector<QVariant> &values)
{
    if (row < 0 || row > m_rowCount)
        return;
    std::vector<QVariant> padded = values;
    padded.resize(std::size_t(m_columnCount));
    m_cells.insert(m_cells.begin() + std::ptrdiff_t(row) * m_columnCount, padded.begin(), padded.end());
    ++m_rowCount;
}

void Cursor::removeRow(int row)
{
    if (row < 0 || row >= m_rowCount)
        return;
    const auto first = m_cells.begin() + std::ptrdiff_t(row) * m_columnCount;
    m_cells.erase(first, first + m_columnCount);
    --m_rowCount;
}

} // namespace store
