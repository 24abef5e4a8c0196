#pragma once

#include "store/cursor.h"
#include "store/jetdialect.h"
#include "store/sqlite/statement.h"

#include <QStringList>
#include <QVariant>

#include <optional>
#include <vector>

namespace store {

class Connection;

// The open result on SQLite: a statement stepped on demand.
class SqliteCursor : public Cursor {
public:
    SqliteCursor(StatementCache &cache, Connection &connection);

    void open(const QString &statement) override;
    // Gives the statement back and forgets the rows, keeping the buffers.
    void close() override;

    bool atEnd() const override { return !m_statement && m_aheadRows == 0; }
    int fetch(int maxRows) override;
    // Rows still to come are counted by SQLite without reading them.
    int count() override;

    // A pending read would pin an old snapshot and make the write fail, so it is ended here and
    // restarted (skipping the rows already read) on the next fetch.
    void suspend() override;

private:
    void finish();
    // Reads up to maxRows more rows from the statement into the held-back ones.
    void readAhead(int maxRows);
    void takeRow(); // the statement's current row, into the held-back ones
    std::string countingSql() const;

    StatementCache &m_cache;
    Connection &m_connection;
    sqlite3 *m_db = nullptr;
    JetTranslation m_translation; // holds the literal texts the statement is bound to
    QString m_translatedFrom;     // the Jet text m_translation was made from; null when none
    std::optional<Statement> m_statement; // empty once every row has been read
    qint64 m_stepped = 0;   // rows taken from the statement, so a restart knows how many to skip
    bool m_suspended = false;
    std::optional<qint64> m_total; // rows the statement yields in the current read, once counted
};

} // namespace store
