#pragma once

#include <QVariant>

#include <cstddef>
#include <span>
#include <vector>

namespace store {

// The rows of a result read so far, row after row, and those read ahead of them: what the grid
// shows, so its own edits (a changed cell, a new row, a deleted one) are mirrored into them, and
// what the command line streams through, dropping the rows it printed.
class RowBuffer {
public:
    int fetched() const { return m_rowCount; }
    // Inline: the grid and every reader of a result call it once per cell.
    const QVariant &cell(int row, int column) const
    {
        if (row < 0 || row >= m_rowCount || column < 0 || column >= m_columnCount)
            return kNoCell;
        return m_cells[std::size_t(row) * std::size_t(m_columnCount) + std::size_t(column)];
    }
    // The cells of the fetched rows, row after row: a batch handed on whole.
    std::span<const QVariant> fetchedCells() const
    {
        return {m_cells.data(), std::size_t(m_rowCount) * std::size_t(m_columnCount)};
    }
    // Out of range does nothing; a new row is padded with nulls to the row's width.
    void setCell(int row, int column, const QVariant &value);
    void insertRow(int row, const std::vector<QVariant> &values);
    void removeRow(int row);

protected:
    ~RowBuffer() = default;

    static const QVariant kNoCell;

    // Forgets the rows; the cells keep a few screens' room for the next result.
    void clear();
    // Moves up to maxRows rows read ahead into the fetched ones; returns how many.
    int handOut(int maxRows);

    int m_columnCount = 0;
    std::vector<QVariant> m_cells; // row after row: the fetched ones, then the read-ahead ones
    int m_rowCount = 0;  // fetched rows, with the grid's own inserts and removals
    int m_aheadRows = 0; // rows read (to count them) but not fetched yet
};

} // namespace store
