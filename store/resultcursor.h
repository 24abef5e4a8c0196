#pragma once

#include "jetdialect.h"
#include "statement.h"

#include <QStringList>
#include <QVariant>

#include <optional>
#include <vector>

namespace store {

// The channel's open result: a statement stepped on demand, with the rows read so far. The rows
// are also what the grid shows, so the grid's own edits are mirrored into them.
//
// A cursor is opened, closed and opened again by the channel, so that a lookup reuses the buffers
// of the one before (translation, rows) instead of allocating its own.
class ResultCursor {
public:
    explicit ResultCursor(StatementCache &cache);

    // Translates, prepares and binds the Jet statement and reads its first row. Throws
    // DatabaseError, leaving the cursor closed.
    void open(sqlite3 *db, const QString &statement);
    // Gives the statement back and forgets the rows, keeping the buffers.
    void close();

    sqlite3 *database() const { return m_db; }
    const QStringList &columnNames() const { return m_columnNames; }
    const QString &sourceTable() const { return m_sourceTable; }
    // Index of the column named so, in any letter case; -1 when there is none.
    int columnIndex(const QString &name) const;

    int fetched() const { return m_rowCount; }
    bool atEnd() const { return !m_statement && m_aheadRows == 0; }
    int fetch(int maxRows);
    // Rows of the whole result: those held (with the grid's own inserts and removals) plus those
    // still to come, which SQLite counts without reading them.
    int count();

    // Before a write on the connection: a pending read would pin an old snapshot and make the
    // write fail, so it is ended here and restarted (skipping the rows already read) on the next fetch.
    void suspend();

    // Inline: the grid and every reader of a result call it once per cell.
    const QVariant &cell(int row, int column) const
    {
        if (row < 0 || row >= m_rowCount || column < 0 || column >= m_columnCount)
            return kNoCell;
        return m_cells[std::size_t(row) * std::size_t(m_columnCount) + std::size_t(column)];
    }
    void setCell(int row, int column, const QVariant &value);
    void insertRow(int row, const std::vector<QVariant> &values);
    void removeRow(int row);

private:
    static const QVariant kNoCell;

    void finish();
    // Reads up to maxRows more rows from the statement into the held-back ones.
    void readAhead(int maxRows);
    void takeRow(); // the statement's current row, into the held-back ones
    std::string countingSql() const;

    StatementCache &m_cache;
    sqlite3 *m_db = nullptr;
    JetTranslation m_translation; // holds the literal texts the statement is bound to
    std::optional<Statement> m_statement; // empty once every row has been read
    QStringList m_columnNames;
    QString m_sourceTable;
    int m_columnCount = 0;
    std::vector<QVariant> m_cells; // row after row: the fetched ones, then the held-back ones
    int m_rowCount = 0;  // fetched rows, with the grid's own inserts and removals
    int m_aheadRows = 0; // rows read (to count them) but not fetched yet
    qint64 m_stepped = 0;   // rows taken from the statement, so a restart knows how many to skip
    bool m_suspended = false;
    std::optional<qint64> m_total; // rows the statement yields in the current read, once counted
};

} // namespace store
