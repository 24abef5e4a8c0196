// The query channel's statement translator on any bytes. Properties: it refuses a literal that is
// never closed, and a NUL outside the literals; what it accepts carries exactly the literals that a plain reading of the statement
// finds, each whole and none left in the SQL; the SQL does not depend on what the literals say; and
// SQLite, preparing the SQL on the program's schema, sees one parameter per literal; the translation
// for PostgreSQL carries the same literals as numbered parameters.
#include "tests/fuzz/fuzzcheck.h"

#include "store/sqlite/collation.h"
#include "store/jetdialect.h"
#include "store/schema.h"

#include <sqlite3.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

struct Literal {
    std::size_t begin; // first byte inside the quotes
    std::size_t end;   // the closing quote
    std::string text;  // doubled quotes undoubled
};

struct Reading {
    std::vector<Literal> literals;
    bool unterminated = false;
    bool parameterMark = false; // ? : @ $ # (SQLite's parameter marks) outside literals, names and comments
    bool nulOutsideLiterals = false; // SQLite stops reading at a NUL: whatever follows would be dropped
};

std::size_t endOfPair(std::string_view s, std::size_t from, std::string_view close)
{
    const std::size_t at = s.find(close, from);
    return at == std::string_view::npos ? s.size() : at + close.size();
}

// A plain reading of the statement, one byte at a time: quoted literals ("..." or '...', the quote
// doubled inside), [names] and `names` (`` inside), -- comments to the line's end, /* comments */.
Reading read(std::string_view s)
{
    Reading r;
    std::size_t i = 0;
    while (i < s.size()) {
        const char c = s[i];
        const char next = i + 1 < s.size() ? s[i + 1] : '\0';
        if (c == '"' || c == '\'') {
            Literal literal{i + 1, 0, {}};
            std::size_t j = i + 1;
            for (;;) {
                if (j >= s.size()) {
                    r.unterminated = true;
                    return r;
                }
                if (s[j] == c && j + 1 < s.size() && s[j + 1] == c) {
                    literal.text.push_back(c);
                    j += 2;
                } else if (s[j] == c) {
                    break;
                } else {
                    literal.text.push_back(s[j++]);
                }
            }
            literal.end = j;
            r.literals.push_back(literal);
            i = j + 1;
        } else if (c == '[') {
            i = endOfPair(s, i + 1, "]");
        } else if (c == '`') {
            std::size_t j = i + 1;
            while (j < s.size() && !(s[j] == '`' && (j + 1 >= s.size() || s[j + 1] != '`')))
                j += s[j] == '`' ? 2 : 1;
            i = j + 1;
        } else if (c == '-' && next == '-') {
            const std::size_t line = s.find('\n', i + 2);
            i = line == std::string_view::npos ? s.size() : line;
        } else if (c == '/' && next == '*') {
            i = endOfPair(s, i + 2, "*/");
        } else {
            r.parameterMark = r.parameterMark || c == '?' || c == ':' || c == '@' || c == '$' || c == '#';
            ++i;
        }
    }
    for (std::size_t at = s.find('\0'); at != std::string_view::npos && !r.nulOutsideLiterals; at = s.find('\0', at + 1)) {
        r.nulOutsideLiterals = true;
        for (const Literal &literal : r.literals)
            if (at >= literal.begin && at < literal.end)
                r.nulOutsideLiterals = false;
    }
    return r;
}

// The statement with every literal's inside replaced by other text of another length.
std::string withOtherLiterals(std::string_view s, const std::vector<Literal> &literals)
{
    std::string out;
    std::size_t from = 0;
    for (std::size_t n = 0; n < literals.size(); ++n) {
        out.append(s.substr(from, literals[n].begin - from));
        out.append(std::string(n % 3 + 1, char('k' + n % 5)));
        from = literals[n].end;
    }
    out.append(s.substr(from));
    return out;
}

sqlite3 *schemaDatabase()
{
    static sqlite3 *db = [] {
        sqlite3 *d = nullptr;
        sqlite3_open(":memory:", &d);
        store::createSchema(d);
        return d;
    }();
    return db;
}

// Parameters of the SQL as SQLite reads it, or -1 when SQLite refuses it, finds more than one
// statement, or finds a named or numbered parameter: the channel refuses all of those.
int parametersSeenBySqlite(const std::string &sql)
{
    sqlite3_stmt *statement = nullptr;
    const char *tail = nullptr;
    if (sqlite3_prepare_v2(schemaDatabase(), sql.c_str(), int(sql.size()), &statement, &tail) != SQLITE_OK || !statement)
        return -1;
    const int count = sqlite3_bind_parameter_count(statement);
    bool named = false;
    for (int i = 1; i <= count; ++i)
        named = named || sqlite3_bind_parameter_name(statement, i) != nullptr;
    sqlite3_finalize(statement);
    if (named)
        return -1;
    sqlite3_stmt *second = nullptr;
    const char *end = sql.c_str() + sql.size();
    for (const char *rest = tail; rest < end && !second; rest = tail) {
        if (sqlite3_prepare_v2(schemaDatabase(), rest, int(end - rest), &second, &tail) != SQLITE_OK)
            return -1;
        if (tail == rest)
            break;
    }
    if (second) {
        sqlite3_finalize(second);
        return -1;
    }
    return count;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view statement(reinterpret_cast<const char *>(data), size);
    const Reading reading = read(statement);
    store::JetTranslation t;
    const bool accepted = store::translateJet(statement, t);

    if (reading.unterminated) {
        FUZZ_REQUIRE(!accepted, "an unterminated literal was accepted: %s", t.sql.c_str());
        return 0;
    }
    if (reading.nulOutsideLiterals) {
        FUZZ_REQUIRE(!accepted, "a NUL outside the literals was accepted; SQLite would drop what follows it");
        return 0;
    }
    if (!accepted) {
        FUZZ_REQUIRE(t.refusal != store::JetRefusal::None, "refused without a reason");
        return 0;
    }

    FUZZ_REQUIRE(t.literalCount() == reading.literals.size(), "%zu literals, the plain reading finds %zu",
                 t.literalCount(), reading.literals.size());
    for (std::size_t n = 0; n < t.literalCount(); ++n)
        FUZZ_REQUIRE(t.literal(n) == reading.literals[n].text, "literal %zu differs", n);
    FUZZ_REQUIRE(read(t.sql).literals.empty() && !read(t.sql).unterminated, "a literal is left in the SQL: %s", t.sql.c_str());

    // Whatever the literals say, the SQL stays the same and the new texts arrive whole.
    const std::string other = withOtherLiterals(statement, reading.literals);
    store::JetTranslation u;
    FUZZ_REQUIRE(store::translateJet(other, u), "refused once the literals changed: refusal %d", int(u.refusal));
    FUZZ_REQUIRE(u.sql == t.sql, "the SQL depends on the literals' text:\n%s\n%s", t.sql.c_str(), u.sql.c_str());
    for (std::size_t n = 0; n < u.literalCount(); ++n)
        FUZZ_REQUIRE(u.literal(n) == std::string(n % 3 + 1, char('k' + n % 5)), "literal %zu changed on its way", n);

    // For PostgreSQL the same literals, numbered $1 to $n.
    store::JetTranslation pg;
    FUZZ_REQUIRE(store::translateJet(statement, pg, store::Dialect::Postgres), "refused for PostgreSQL: refusal %d", int(pg.refusal));
    FUZZ_REQUIRE(pg.literalText == t.literalText && pg.literals == t.literals, "PostgreSQL's literals differ");
    if (t.literalCount() > 0)
        FUZZ_REQUIRE(pg.sql.find("$" + std::to_string(t.literalCount())) != std::string::npos, "no $%zu in %s",
                     t.literalCount(), pg.sql.c_str());

    // SQLite agrees: one parameter per literal and no more, unless the statement names its own.
    if (!reading.parameterMark) {
        const int parameters = parametersSeenBySqlite(t.sql);
        if (parameters >= 0)
            FUZZ_REQUIRE(std::size_t(parameters) == t.literalCount(), "SQLite sees %d parameters for %zu literals in %s",
                         parameters, t.literalCount(), t.sql.c_str());
    }
    return 0;
}
