#pragma once

#include "store/sqlite/statementcache.h"

#include <QVariant>

#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace store {

struct JetTranslation;

// A prepared statement checked out of the cache for one use, given back when destroyed.
class Statement {
public:
    Statement(StatementCache &cache, sqlite3 *db, std::string_view sql);
    ~Statement();
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

    // Binds the translated literals in order; they must outlive every step. Throws StoreError
    // when the statement asks for a parameter that no literal gave (Jet's "No value given").
    void bind(const JetTranslation &literals);
    // Binds native values in order (null, integers, reals, texts, bytes), copied.
    void bind(const QVariantList &values);
    void bind(std::span<const QVariant> values);

    // True with a row to read, false at the end. Throws StoreError.
    bool step();
    // Ends the reading (and the read transaction), keeping the bindings for a new start.
    void reset();

    int columnCount() const;
    const QStringList &columnNames() const { return m_entry.columnNames; }
    const QString &sourceTable() const { return m_entry.sourceTable; } // empty unless one table
    QVariant value(int column) const; // null, qint64, double, QString or QByteArray
    // After the first step: the description of a statement SQLite re-prepared meanwhile is renewed.
    void redescribe() { StatementCache::redescribe(m_entry); }
    // Kept with the cached statement for its next use.
    std::optional<bool> countable() const { return m_entry.countable; }
    void setCountable(bool countable) { m_entry.countable = countable; }
    // Every column's value, constructed in place at the end of cells: a result's rows are read so.
    void appendRow(std::vector<QVariant> &cells) const;

    sqlite3_stmt *handle() const { return m_entry.statement.get(); }

private:
    template <typename Take>
    void readValue(int column, Take &&take) const;
    void checkParameterCount(int given) const;

    StatementCache &m_cache;
    StatementCache::Entry m_entry;
};

} // namespace store
