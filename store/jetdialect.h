#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace store {

// One Jet statement turned into SQLite text. Every text literal ("..." or '...') becomes an anonymous
// ? parameter whose text is kept here, in order, so no literal is ever pasted into SQL.
struct JetTranslation {
    std::string sql;         // SQLite text, ready for prepare
    std::size_t statementEnd = 0; // length of sql up to its last token, before a trailing ;, comment or space
    std::string literalText; // the literals' texts back to back, quotes undoubled
    std::vector<std::pair<std::size_t, std::size_t>> literals; // offset and length in literalText
    std::string error;       // why the statement was refused; empty when it was translated

    std::size_t literalCount() const { return literals.size(); }
    std::string_view literal(std::size_t i) const
    {
        return std::string_view(literalText).substr(literals[i].first, literals[i].second);
    }
};

// Translates a Jet statement (UTF-8) for SQLite: literals become parameters, a leading
// "select top N" becomes a trailing "limit N", [bracketed] and `backticked` names and comments pass
// untouched, and so does everything else. Reuses out's buffers. Returns false (with out.error set)
// for an unterminated literal, a "top" without a whole non-negative number, or a NUL byte outside
// the literals.
bool translateJet(std::string_view statement, JetTranslation &out);

} // namespace store
