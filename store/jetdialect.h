#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace store {

// The SQL an engine reads: SQLite's, or PostgreSQL's ($n parameters, "quoted" names).
enum class Dialect { Sqlite, Postgres };

// Why a statement was not translated.
enum class JetRefusal {
    None,             // it was translated
    TopWithoutCount,  // "select top" without a whole number of rows
    TopPercent,       // "select top N percent", which is not supported
    UnterminatedText, // a text literal is not closed
    NulCharacter,     // a NUL byte outside the literals
};

// One Jet statement turned into the engine's text. Every text literal ("..." or '...') becomes an anonymous
// ? parameter whose text is kept here, in order, so no literal is ever pasted into SQL.
struct JetTranslation {
    std::string sql;         // the engine's text, ready for prepare
    std::size_t statementEnd = 0; // length of sql up to its last token, before a trailing ;, comment or space
    std::string literalText; // the literals' texts back to back, quotes undoubled
    std::vector<std::pair<std::size_t, std::size_t>> literals; // offset and length in literalText
    JetRefusal refusal = JetRefusal::None; // why the statement was refused
    bool reads = false;      // it begins with select, so it writes nothing

    std::size_t literalCount() const { return literals.size(); }
    std::string_view literal(std::size_t i) const
    {
        return std::string_view(literalText).substr(literals[i].first, literals[i].second);
    }
};

// Translates a Jet statement (UTF-8) for the engine: literals become parameters (? on SQLite, $1, $2
// ... on PostgreSQL), a leading "select top N" becomes a trailing "limit N", comments pass untouched
// and so does everything else. [bracketed] and `backticked` names pass as written to SQLite, which
// reads them, and become "quoted" names for PostgreSQL. Reuses out's buffers. Returns false (with
// out.refusal set) for an unterminated literal, a "top" without a whole non-negative number, or a NUL
// byte outside the literals.
bool translateJet(std::string_view statement, JetTranslation &out, Dialect dialect = Dialect::Sqlite);

// The table an "insert into NAME ..." statement (in the engine's text) writes to, as written
// (quotes and brackets removed); empty for any other statement.
std::string_view insertTarget(std::string_view sql);

// A native statement written with anonymous ? parameters, for the engine: unchanged for SQLite,
// $1, $2 ... for PostgreSQL (a ? inside a quoted text or name stays).
std::string nativeStatement(std::string_view sql, Dialect dialect);

} // namespace store
