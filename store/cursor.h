#pragma once

#include "store/rowbuffer.h"

#include <QStringList>

#include <cstdint>

namespace store {

// The channel's open result on either engine: its description and the rows read so far (RowBuffer).
// Reading goes through the engine's cursor a batch of rows at a time; the cells themselves are read
// from the buffer, without a call into the engine.
//
// A cursor is opened, closed and opened again by the channel, so that a lookup reuses the buffers
// of the one before instead of allocating its own.
class Cursor : public RowBuffer {
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

protected:
    // Forgets the description and the rows; the cells keep a few screens' room for the next result.
    void clearRows();

    std::uint64_t m_generation = 0;
    QStringList m_columnNames;
    QString m_sourceTable;
};

} // namespace store
