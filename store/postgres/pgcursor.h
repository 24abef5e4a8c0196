#pragma once

#include "store/cursor.h"
#include "store/jetdialect.h"
#include "store/postgres/preparedstatements.h"

namespace store {

class Connection;

// The open result on a PostgreSQL server: it arrives whole from the server, and its rows become
// cells a batch at a time as the grid asks for them.
class PgCursor : public Cursor {
public:
    PgCursor(PreparedStatements &statements, Connection &connection);

    void open(const QString &statement) override;
    void close() override;
    int fetch(int maxRows) override;
    int count() override { return m_rowCount + (m_total - m_read); }
    bool atEnd() const override { return m_read == m_total; }

private:
    PreparedStatements &m_statements;
    Connection &m_connection;
    JetTranslation m_translation;
    PgResult m_result; // null once every row is read
    int m_total = 0;
    int m_read = 0;
};

} // namespace store
