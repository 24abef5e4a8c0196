#pragma once

#include "store/jetdialect.h"

#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <memory>
#include <span>

namespace store {

class Cursor;

// Rows changed by a native write, and the id the database gave a row it inserted (0 without one).
struct WriteResult {
    int changes = 0;
    qint64 lastId = 0;
};

// One row of a scan: each column's value as UTF-8 text (empty for NULL), valid until the next row.
// One indirect call a cell, so the engine's own buffers are read without copying them.
class RowText {
public:
    using CellReader = QByteArrayView (*)(const void *source, int row, int column);
    RowText(CellReader reader, const void *source) : m_reader(reader), m_source(source) {}
    void setRow(int row) { m_row = row; }
    QByteArrayView operator[](int column) const { return m_reader(m_source, m_row, column); }

private:
    CellReader m_reader;
    const void *m_source;
    int m_row = 0;
};

using ScanHeader = std::function<void(const QStringList &columns)>;
using ScanRow = std::function<void(const RowText &row)>;

// Rows appended to one table in bulk, a batch at a time, inside the transaction the connection is in
// (the one that creates a new store, when a store is copied): COPY on a server, one prepared insert
// reused on SQLite. It must go before the backend does. Gone without finish(), it leaves the rows to
// that transaction's rollback.
class BulkAppend {
public:
    virtual ~BulkAppend() = default;
    // Appends rows: the cells row after row, as many to a row as columns were named, each null, an
    // integer, a real, a text or bytes (as a result's cells are). Throws StoreError.
    virtual void add(std::span<const QVariant> cells) = 0;
    // Ends the append; on a server the rows are checked and stored only then. Throws StoreError.
    virtual void finish() = 0;
};

// What the query channel needs of an engine: SQLite on a directory file, or a PostgreSQL server.
// Called once a statement (or a batch of rows through the cursor), never per cell.
class Backend {
public:
    virtual ~Backend() = default;
    virtual Dialect dialect() const = 0;

    // A closed cursor for results on this engine, which keeps the backend's statements; it must go
    // before the backend does.
    virtual std::unique_ptr<Cursor> newCursor() = 0;
    // Executes the Jet statement as a command. Returns the id of the row an insert into a table
    // with a counter stored (0 for any other command), read back from the insert itself, so another
    // connection's insert can never be taken for it.
    virtual qint64 exec(const QString &statement) = 0;
    // A native statement with ? parameters.
    virtual WriteResult write(const QString &sql, const QVariantList &params) = 0;
    // A native query with ? parameters: the first column of its first row, null without a row.
    virtual QVariant scalar(const QString &sql, const QVariantList &params) = 0;
    virtual bool yieldsRows(const QString &statement) = 0;
    // Runs the Jet query and hands its column names, then each row, to the callbacks, straight from
    // the engine: for reading whole tables out, where the grid's copies would only cost. Rows are
    // held a batch at a time (on a server through a cursor, in the caller's transaction or, without
    // one, in a read-only one of its own), so memory stays flat however large the table.
    virtual void scan(const QString &statement, const ScanHeader &header, const ScanRow &row) = 0;

    // Starts a read-only transaction: every read until endSnapshot sees the store as it was at one
    // moment, whatever other connections commit meanwhile (PostgreSQL: BEGIN ISOLATION LEVEL
    // REPEATABLE READ READ ONLY; SQLite: one read transaction). Not nested. Throws StoreError.
    virtual void beginSnapshot() = 0;
    // Ends it. Never throws: nothing was written, so nothing is lost when it cannot be ended cleanly.
    virtual void endSnapshot() noexcept = 0;
    // Appends rows to the table's named columns (see BulkAppend), in the caller's transaction.
    virtual std::unique_ptr<BulkAppend> bulkAppend(const QString &table, const QStringList &columns) = 0;

    // Starts a write transaction that waits for, and holds off, every other that names the same key:
    // on a server, a transaction-scoped advisory lock on the key as the directory compares text (so
    // it holds through a pooler in transaction mode); on SQLite, BEGIN IMMEDIATE, which holds off
    // every other writer of the file. What the transaction reads after it began, no other such
    // transaction changes before it ends. Not nested. Throws StoreError.
    virtual void beginWrite(const QString &key) = 0;
    // Commits it: its writes are stored together, or (StoreError) not at all, unless the link to a
    // server broke while the commit was on its way.
    virtual void commitWrite() = 0;
    // Gives it up: none of its writes is stored. Never throws.
    virtual void rollbackWrite() noexcept = 0;
};

} // namespace store
