#include "store/jetdialect.h"

#include <algorithm>
#include <charconv>
#include <cstdint>

namespace store {

namespace {

constexpr std::string_view kSpace = " \t\n\r\f\v";
// Bytes that end a run of plain statement text: quotes, bracket and backtick names, comment starts,
// the statement separator and white space.
constexpr std::string_view kSpecial = "\"'[`-/; \t\n\r\f\v";

// Every lookup translates its statement: a table answers "space?" and "special?" for a byte in one
// load, where searching the sets above cost a library call per byte.
enum ByteClass : unsigned char { Plain = 0, Space = 1, Special = 2 };

struct ByteClasses {
    unsigned char of[256] = {};
    constexpr ByteClasses()
    {
        for (const char c : kSpecial)
            of[static_cast<unsigned char>(c)] |= Special;
        for (const char c : kSpace)
            of[static_cast<unsigned char>(c)] |= Space;
    }
};
constexpr ByteClasses kClasses;

bool isSpace(char c)
{
    return kClasses.of[static_cast<unsigned char>(c)] & Space;
}

// The first special byte at or after pos, or npos.
std::size_t findSpecial(std::string_view s, std::size_t pos)
{
    for (; pos < s.size(); ++pos)
        if (kClasses.of[static_cast<unsigned char>(s[pos])] & Special)
            return pos;
    return std::string_view::npos;
}

bool isWordChar(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return (u >= '0' && u <= '9') || (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || u == '_' || u >= 0x80;
}

std::size_t skipSpace(std::string_view s, std::size_t pos)
{
    while (pos < s.size() && isSpace(s[pos]))
        ++pos;
    return std::min(pos, s.size());
}

// The keyword at pos, in any case, as a whole word.
bool isKeywordAt(std::string_view s, std::size_t pos, std::string_view keyword)
{
    if (s.size() - pos < keyword.size())
        return false;
    for (std::size_t i = 0; i < keyword.size(); ++i) {
        char c = s[pos + i];
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
        if (c != keyword[i])
            return false;
    }
    const std::size_t end = pos + keyword.size();
    return end == s.size() || !isWordChar(s[end]);
}

struct TopClause {
    bool present = false;
    std::size_t selectEnd = 0; // end of the "select" keyword, kept in the output
    std::size_t resumeAt = 0;  // first byte after the row count
    std::uint64_t rows = 0;
};

// Recognises "select top N" at the start of the statement.
bool readTop(std::string_view s, TopClause &top, JetRefusal &refusal)
{
    const std::size_t select = skipSpace(s, 0);
    if (!isKeywordAt(s, select, "select"))
        return true;
    const std::size_t selectEnd = select + 6;
    const std::size_t topAt = skipSpace(s, selectEnd);
    if (topAt == selectEnd || !isKeywordAt(s, topAt, "top"))
        return true;
    const std::size_t digits = skipSpace(s, topAt + 3);
    const char *first = s.data() + digits;
    const char *last = s.data() + s.size();
    std::uint64_t rows = 0;
    const auto [end, ec] = std::from_chars(first, last, rows);
    if (ec != std::errc() || (end != last && (isWordChar(*end) || *end == '.'))
        || rows > std::uint64_t(INT64_MAX)) {
        refusal = JetRefusal::TopWithoutCount;
        return false;
    }
    const std::size_t resumeAt = std::size_t(end - s.data());
    if (isKeywordAt(s, skipSpace(s, resumeAt), "percent")) {
        refusal = JetRefusal::TopPercent;
        return false;
    }
    top = {true, selectEnd, resumeAt, rows};
    return true;
}

// A quoted literal starting at pos (its opening quote); appends its text with doubled quotes
// undoubled and returns the position after the closing quote, or npos when it never closes.
std::size_t readLiteral(std::string_view s, std::size_t pos, std::string &text)
{
    const char quote = s[pos];
    std::size_t from = pos + 1;
    for (;;) {
        const std::size_t close = s.find(quote, from);
        if (close == std::string_view::npos)
            return std::string_view::npos;
        text.append(s.substr(from, close - from));
        if (close + 1 < s.size() && s[close + 1] == quote) {
            text.push_back(quote);
            from = close + 2;
            continue;
        }
        return close + 1;
    }
}

// End of a token that passes through as written and whose closing mark, when missing, is
// SQLite's to report: [name], `name` (`` inside), -- comment, /* comment */.
std::size_t passThroughEnd(std::string_view s, std::size_t pos)
{
    auto endOf = [&](std::size_t found, std::size_t markLength) {
        return found == std::string_view::npos ? s.size() : found + markLength;
    };
    switch (s[pos]) {
    case '[':
        return endOf(s.find(']', pos + 1), 1);
    case '`': {
        std::size_t from = pos + 1;
        for (;;) {
            const std::size_t close = s.find('`', from);
            if (close == std::string_view::npos)
                return s.size();
            if (close + 1 < s.size() && s[close + 1] == '`') {
                from = close + 2;
                continue;
            }
            return close + 1;
        }
    }
    case '-':
        return endOf(s.find('\n', pos + 2), 0);
    default: // '/'
        return endOf(s.find("*/", pos + 2), 2);
    }
}

// A [name] or `name` as PostgreSQL reads it: between double quotes, any inside doubled.
void appendQuotedName(std::string &sql, std::string_view token)
{
    std::string_view inner = token.substr(1);
    const char close = token[0] == '[' ? ']' : '`';
    if (!inner.empty() && inner.back() == close)
        inner.remove_suffix(1);
    sql.push_back('"');
    for (std::size_t i = 0; i < inner.size(); ++i) {
        if (close == '`' && inner[i] == '`' && i + 1 < inner.size() && inner[i + 1] == '`')
            ++i; // `` is one backtick
        if (inner[i] == '"')
            sql.push_back('"');
        sql.push_back(inner[i]);
    }
    sql.push_back('"');
}

void appendParameter(std::string &sql, std::size_t number, Dialect dialect)
{
    if (dialect == Dialect::Sqlite) {
        sql.push_back('?');
        return;
    }
    char text[24] = "$";
    sql.append(text, std::size_t(std::to_chars(text + 1, text + sizeof text, number).ptr - text));
}

} // namespace

std::string_view insertTarget(std::string_view sql)
{
    const std::size_t insert = skipSpace(sql, 0);
    if (!isKeywordAt(sql, insert, "insert"))
        return {};
    const std::size_t into = skipSpace(sql, insert + 6);
    if (!isKeywordAt(sql, into, "into"))
        return {};
    std::size_t name = skipSpace(sql, into + 4);
    if (name == sql.size())
        return {};
    const char open = sql[name];
    if (open == '"' || open == '[' || open == '`') {
        const std::size_t close = sql.find(open == '[' ? ']' : open, name + 1);
        return close == std::string_view::npos ? std::string_view() : sql.substr(name + 1, close - name - 1);
    }
    std::size_t end = name;
    while (end < sql.size() && isWordChar(sql[end]))
        ++end;
    return sql.substr(name, end - name);
}

std::string nativeStatement(std::string_view sql, Dialect dialect)
{
    if (dialect == Dialect::Sqlite)
        return std::string(sql);
    std::string out;
    out.reserve(sql.size() + 16);
    std::size_t number = 0;
    char quote = 0;
    for (const char c : sql) {
        if (quote) {
            if (c == quote)
                quote = 0;
            out.push_back(c);
        } else if (c == '\'' || c == '"') {
            quote = c;
            out.push_back(c);
        } else if (c == '?') {
            appendParameter(out, ++number, dialect);
        } else {
            out.push_back(c);
        }
    }
    return out;
}

bool translateJet(std::string_view s, JetTranslation &out, Dialect dialect)
{
    out.sql.clear();
    out.literalText.clear();
    out.literals.clear();
    out.refusal = JetRefusal::None;
    out.statementEnd = 0;
    out.reads = isKeywordAt(s, skipSpace(s, 0), "select");
    out.sql.reserve(s.size() + 24);

    TopClause top;
    if (!readTop(s, top, out.refusal))
        return false;
    std::size_t pos = 0;
    if (top.present) {
        out.sql.append(s.substr(0, top.selectEnd));
        pos = top.resumeAt;
    }

    // Where the statement's last token ends in the output: the limit goes there, before any
    // trailing separator, comment or white space.
    std::size_t significantEnd = out.sql.size();
    while (pos < s.size()) {
        const char c = s[pos];
        const char next = pos + 1 < s.size() ? s[pos + 1] : '\0';
        if (c == '"' || c == '\'') {
            const std::size_t offset = out.literalText.size();
            const std::size_t end = readLiteral(s, pos, out.literalText);
            if (end == std::string_view::npos) {
                out.refusal = JetRefusal::UnterminatedText;
                return false;
            }
            out.literals.emplace_back(offset, out.literalText.size() - offset);
            appendParameter(out.sql, out.literals.size(), dialect);
            // "x"1 is a literal and a number, never the numbered parameter ?1 (or $11).
            if (end < s.size() && s[end] >= '0' && s[end] <= '9')
                out.sql.push_back(' ');
            significantEnd = out.sql.size();
            pos = end;
        } else if (c == '[' || c == '`' || (c == '-' && next == '-') || (c == '/' && next == '*')) {
            const std::size_t end = passThroughEnd(s, pos);
            if ((c == '[' || c == '`') && dialect == Dialect::Postgres)
                appendQuotedName(out.sql, s.substr(pos, end - pos));
            else
                out.sql.append(s.substr(pos, end - pos));
            if (c == '[' || c == '`')
                significantEnd = out.sql.size();
            pos = end;
        } else if (c == ';' || isSpace(c)) {
            out.sql.push_back(c);
            ++pos;
        } else {
            std::size_t end = findSpecial(s, pos + 1);
            if (end == std::string_view::npos)
                end = s.size();
            out.sql.append(s.substr(pos, end - pos));
            significantEnd = out.sql.size();
            pos = end;
        }
    }

    // SQLite reads a statement only up to a NUL: whatever followed it would silently be dropped.
    if (out.sql.find('\0') != std::string::npos) {
        out.refusal = JetRefusal::NulCharacter;
        return false;
    }

    if (top.present) {
        char limit[32] = " limit ";
        const char *end = std::to_chars(limit + 7, limit + sizeof limit, top.rows).ptr;
        out.sql.insert(significantEnd, limit, std::size_t(end - limit));
        significantEnd += std::size_t(end - limit);
    }
    out.statementEnd = significantEnd;
    return true;
}

} // namespace store
