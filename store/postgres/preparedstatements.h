#pragma once

#include "store/jetdialect.h"
#include "store/postgres/serverexchange.h"
#include "store/textcache.h"

#include <QHash>
#include <QString>
#include <QVariant>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

struct pg_conn;
struct pg_result;

namespace store {

class Connection;

// Parameter values of a translated statement: pointers into its literal texts.
struct Literals {
    explicit Literals(const JetTranslation &t)
    {
        // libpq reads text parameters up to a NUL: each literal is copied with one after it.
        texts.reserve(t.literalCount());
        for (std::size_t i = 0; i < t.literalCount(); ++i)
            texts.emplace_back(t.literal(i));
        for (const std::string &text : texts)
            values.push_back(text.c_str());
    }
    int count() const { return int(values.size()); }
    std::vector<std::string> texts;
    std::vector<const char *> values;
};

// The server side of one connection's statements: each text prepared once as a named statement and
// executed by name after that, as SQLite's prepared statements are reused; unnamed, parsed with each
// execution, when the connection may keep nothing between transactions (unnamedstatements.h). Values pass as text. Every request waits for its answer at most the
// connection's timeout (see exchange): one that breaks the link or runs out of time gives the
// connection up, so the next statement connects afresh.
class PreparedStatements {
public:
    explicit PreparedStatements(Connection &connection, std::size_t capacity = 64);

    // Executes the statement (prepared on first use) with the parameters, NULL where a pointer is
    // null. Returns a result with rows or a completed command. Throws StoreError naming the
    // server; a connection found broken is closed, so the next statement connects again. A read that
    // finds the link lost may be run once more on a new connection (readretry.h).
    PgResult execute(const std::string &sql, int count, const char *const *values, const int *lengths = nullptr,
                     const int *formats = nullptr);
    // The same for native ? statements with Qt values.
    PgResult execute(const std::string &sql, const QVariantList &params);
    // Runs a command without parameters and without preparing it (BEGIN, COMMIT, COPY). Throws
    // StoreError as execute does; a command that starts a COPY is no failure.
    PgResult command(const char *sql);
    // The same for an end that must not fail in its turn (COMMIT of a read, ROLLBACK, CLOSE, a COPY
    // abandoned): never throws; a connection it finds broken or too slow is given up.
    void endQuietly(const Send &send) noexcept;
    void endQuietly(const char *sql) noexcept;
    // Sends the request and waits for its answer (see exchange); a connection that breaks or is too
    // slow is given up. Throws StoreError.
    PgResult answer(const Send &send);
    // Waits until everything queued on the connection has gone out (a COPY's rows). Throws as answer.
    void flush();
    // Throws the failure of the command whose result this is (of the connection's last command when
    // null), naming the server; a connection found broken is closed. sql is the failed statement.
    [[noreturn]] void fail(const pg_result *result, const std::string &sql = {});
    // Prepares (or finds) the statement and returns how many columns it yields.
    int columnCount(const std::string &sql);
    // How many columns the statement prepared under that name yields.
    int describedColumns(const std::string &name, const std::string &sql);
    // The connection's handle, once the statements of an earlier one are forgotten.
    pg_conn *handle();
    // The connection's opening (Connection::generation()).
    std::uint64_t generation() const;

    // The cell as the SQLite side gives it: qint64, double, QString, QByteArray or null.
    QVariant value(const pg_result *result, int row, int column);
    // The one table every column of the result comes from, else empty.
    QString sourceTable(const pg_result *result);

private:
    struct Prepared {
        std::string sql;
        std::string name;
    };
    pg_conn *conn();
    const Prepared &prepared(const std::string &sql);
    PgResult attempt(const std::string &sql, int count, const char *const *values, const int *lengths,
                     const int *formats);

    Connection &m_connection;
    std::size_t m_capacity;
    std::uint64_t m_generation = 0;
    std::uint64_t m_named = 0;
    std::vector<Prepared> m_prepared; // most recently used last
    QHash<unsigned, QString> m_tableNames;
    TextCache m_texts;
};

} // namespace store
