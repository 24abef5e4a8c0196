#include "store/rowbuffer.h"

#include <algorithm>

namespace store {

const QVariant RowBuffer::kNoCell;

namespace {

// Cells whose room a closed cursor keeps: a few screens. The room of a result scrolled through to
// its end goes with it.
constexpr std::size_t kKeptCells = 4096;

} // namespace

void RowBuffer::clear()
{
    m_columnCount = 0;
    if (m_cells.capacity() > kKeptCells)
        std::vector<QVariant>().swap(m_cells);
    else
        m_cells.clear(); // keeps its capacity for the next result
    m_rowCount = 0;
    m_aheadRows = 0;
}

int RowBuffer::handOut(int maxRows)
{
    const int arrived = std::min(maxRows, m_aheadRows);
    m_aheadRows -= arrived;
    m_rowCount += arrived;
    return arrived;
}

void RowBuffer::setCell(int row, int column, const QVariant &value)
{
    if (row < 0 || row >= m_rowCount || column < 0 || column >= m_columnCount)
        return;
    m_cells[std::size_t(row) * std::size_t(m_columnCount) + std::size_t(column)] = value;
}

void RowBuffer::insertRow(int row, const std::vector<QVariant> &values)
{
    if (row < 0 || row > m_rowCount)
        return;
    std::vector<QVariant> padded = values;
    padded.resize(std::size_t(m_columnCount));
    m_cells.insert(m_cells.begin() + std::ptrdiff_t(row) * m_columnCount, padded.begin(), padded.end());
    ++m_rowCount;
}

void RowBuffer::removeRow(int row)
{
    if (row < 0 || row >= m_rowCount)
        return;
    const auto first = m_cells.begin() + std::ptrdiff_t(row) * m_columnCount;
    m_cells.erase(first, first + m_columnCount);
    --m_rowCount;
}

} // namespace store
