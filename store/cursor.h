#pragma once

#include <QStringList>
#include <QVariant>

#include <cstdint>
#include <span>
#include <vector>

namespace store {

// The channel's open result on either engine: the rows read so far, which are also what the grid
// shows (so the grid's own edits are mirrored into them). Reading goes through the engine's cursor
// a batch of rows at a time; the cells themselves are read here, without a call into the engine.
//
// A cursor is opened, closed and opened again by the channel, so that a lookup reuses the buffers
// of the one before instead of allocating its own.
class Cursor {
public:
    virtual ~Cursor() = default;

    // Translates, prepares and binds the Jet statement and reads its first row. Throws
    // StoreError, leaving the cursor closed.
    virtual void open(const QString &statement) = 0;
    // Forgets the statement and the rows, keeping the buffers.
    virtual void close() = 0;
    // Reads up to maxRows more rows; returns how many arrived.
    virtual int fetch(int maxRows) = 0;
    // Rows of the whole result: those held (with the grid's own inserts and removals) plus those
    // still to come.
    virtual int count() = 0;
    // Before a write on the connection, which a pending read could stand in the way of.
    virtual void suspend() {}
    virtual bool atEnd() const = 0;

    // The connection's opening the result belongs to (Connection::generation()).
    std::uint64_t generation() const { return m_generation; }
    const QStringList &columnNames() const { return m_columnNames; }
    const QString &sourceTable() const { return m_sourceTable; }
    // Index of the column named so, in any letter case; -1 when there is none.
    int columnIndex(const QString &name) const;
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
    void setCell(int row, int column, const QVariant &value);
    void insertRow(int row, const std::vector<QVariant> &values);
    void removeRow(int row);

protected:
    static const QVariant kNoCell;

    // Forgets the description and the rows; the cells keep a few screens' room for the next result.
    void clearRows();
    // Moves up to maxRows rows read ahead into the fetched ones; returns how many.
    int handOut(int maxRows);

    std::uint64_t m_generation = 0;
    QStringList m_columnNames;
    QString m_sourceTable;
    int m_columnCount = 0;
    std::vector<QVariant> m_cells; // row after row: the fetched ones, then the read-ahead ones
    int m_rowCount = 0;  // fetched rows, with the grid's own inserts and removals
    int m_aheadRows = 0; // rows read (to count them) but not fetched yet
};

} // namespace store
