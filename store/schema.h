#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

struct sqlite3;

namespace store {

// The name of the text collation every text column is declared with, on either engine: letters
// compare without regard to case, as Jet compared (sqlite/collation.h on SQLite, an ICU collation on
// the server).
inline constexpr const char *kCollation = "RU_NOCASE";

// The longest text value, in characters, the channel writes to either store: what a Jet text column
// held, and what one store takes the other must hold too (the server's index on tab refuses a key of
// a few thousand bytes). Values stored before it stay readable.
inline constexpr int kTextValueLimit = 255;

// The phone numbering scheme the param row sets, in its columns s and tel: s non-zero means prefixed
// numbers; s zero means numbers of exactly tel digits, tel from 1 to this: a phone field holds a
// 64-bit number, whose longest spelling has twenty characters. The lookups read the scheme by it,
// zelvik-cli check looks for it.
inline constexpr std::int64_t kLongestPhone = 20;

// The tables of history.dat: the directory table tab and the eight reference tables.
enum class ColumnKind {
    Counter, // tab.id: ascending, never reused
    Key,     // id of a reference table
    Integer,
    Text,    // always with the text collation
};

struct ColumnDef {
    std::string_view name;
    ColumnKind kind;
};

struct TableDef {
    std::string_view name;
    std::span<const ColumnDef> columns;
};

std::span<const TableDef> programTables();
// Whether the program table of that name (in any letter case) has an id column.
bool tableHasId(std::string_view table);

// CREATE statements for every table, index and trigger: STRICT tables (a value of the wrong kind is
// refused), every text column with the text collation, indexes tab(fam, im, ot) and tab(tele), and
// the text limit's triggers (textLimitTriggerScript).
std::string schemaScript();

// Creates the tables and indexes on an open database that has none of them yet, registering the
// collation on the connection first. All or nothing. Throws StoreError.
void createSchema(sqlite3 *db);

// The same tables for PostgreSQL: ids from an identity column, every text column with a
// case-insensitive ICU collation that still tells Ё from Е and that an index serves, and each text
// column of tab held to kTextValueLimit by a check of its own (serverTextLimit).
std::string serverSchemaScript();

// The check that holds a text column of tab to kTextValueLimit on the server, whoever writes (the
// channel refuses a longer text first; this holds for a value the server itself builds, such as
// repeat(...)): its constraint's name ("tab_fam_limit") and its condition. The server refuses a
// NUL in any text by itself.
std::string serverTextLimitName(std::string_view column);
std::string serverTextLimitCondition(std::string_view column);
// The column of tab whose limit the constraint of that name is; empty for any other constraint.
std::string_view textLimitColumn(std::string_view constraint);

// The same on SQLite, which has no such checks on a STRICT table: two triggers that abort an insert,
// or an update of a text column of tab, that would store a text longer than kTextValueLimit or
// holding a NUL (anywhere, its first character included), whoever writes. Plain SQL with built-in
// functions alone, so that a file holding them stays usable by builds that do not know them. An
// update is refused only for the columns it changes: a longer text stored before stays usable.
std::string textLimitTriggerScript();
// The message those triggers abort with, which SQLite gives as the statement's error.
inline constexpr const char *kTextLimitMessage = "tab: a text over the length limit or holding NUL";
// Adds those triggers to an open file that lacks them (a file made before them); nothing when it
// has them. Throws StoreError.
void addTextLimitTriggers(sqlite3 *db);

} // namespace store
