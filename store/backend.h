#pragma once

#include "jetdialect.h"

#include <QString>
#include <QVariant>

#include <memory>

namespace store {

class Cursor;

// Rows changed by a native write, and the id the database gave a row it inserted (0 without one).
struct WriteResult {
    int changes = 0;
    qint64 lastId = 0;
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
};

} // namespace store
