#pragma once

#include "store/textcache.h"

#include <QString>
#include <QStringList>

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace store {

// Idle prepared statements of one connection, keyed by their SQL text, the least recently used
// dropped first. A statement in use is checked out, so two users never share one.
class StatementCache {
public:
    struct Finalizer {
        void operator()(sqlite3_stmt *statement) const;
    };
    using StatementPtr = std::unique_ptr<sqlite3_stmt, Finalizer>;

    struct Entry {
        std::string sql;
        StatementPtr statement;
        // Described once, not on every use: result column names, and the one table all of them
        // come from (empty when they do not share one).
        QStringList columnNames;
        QString sourceTable;
        int describedAt = -1; // SQLite's count of automatic re-preparations when described
        std::optional<bool> countable; // whether its rows can be counted as a subquery, once tried
        int parameterCount = 0;
        QString namedParameter; // the first parameter with a name ($A, :x, ?3), which no value lines up with
    };

    explicit StatementCache(std::size_t capacity = 32);
    ~StatementCache();
    StatementCache(const StatementCache &) = delete;
    StatementCache &operator=(const StatementCache &) = delete;

    // The cached statement for sql, or a newly prepared one. A connection other than the last one
    // seen empties the cache first. Throws StoreError for SQL that SQLite refuses, for text after
    // the first statement and for an empty statement.
    Entry take(sqlite3 *db, std::string_view sql);
    // The description is renewed when SQLite re-prepared the statement after a schema change.
    // Takes the statement back, reset and without bindings; finalises it when it belongs to another
    // connection or is a duplicate. An entry never given back is finalised when it goes.
    void give(Entry entry);
    void clear();

    std::size_t size() const { return m_entries.size(); }
    // Describes the entry again when SQLite re-prepared it since (after a schema change, which
    // SQLite notices on the first step).
    static void redescribe(Entry &entry);

    // Shared by every statement of the connection; used from one thread only.
    TextCache &texts() { return m_texts; }

private:
    std::vector<Entry> m_entries; // most recently used last
    std::size_t m_capacity;
    sqlite3 *m_db = nullptr;
    TextCache m_texts;
};

} // namespace store
