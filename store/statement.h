#pragma once

#include "statementcache.h"

#include <QVariant>

#include <string_view>

namespace store {

struct JetTranslation;

// A prepared statement checked out of the cache for one use, given back when destroyed.
class Statement {
public:
    Statement(StatementCache &cache, sqlite3 *db, std::string_view sql);
    ~Statement();
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

    // Binds the translated literals in order; they must outlive every step. Throws DatabaseError
    // when the statement asks for a parameter that no literal gave (Jet's "No value given").
    void bind(const JetTranslation &literals);
    // Binds native values in order (null, integers, reals, texts, bytes), copied.
    void bind(const QVariantList &values);

    // True with a row to read, false at the end. Throws DatabaseError.
    bool step();
    // Ends the reading (and the read transaction), keeping the bindings for a new start.
    void reset();

    int columnCount() const;
    QString columnName(int column) const;
    QString columnTable(int column) const; // empty for a computed column
    QVariant value(int column) const;       // null, qint64, double, QString or QByteArray

    sqlite3_stmt *handle() const { return m_entry.statement.get(); }

private:
    void checkParameterCount(int given) const;

    StatementCache &m_cache;
    StatementCache::Entry m_entry;
};

} // namespace store
