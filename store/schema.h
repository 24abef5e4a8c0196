#pragma once

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

// CREATE statements for every table and index: STRICT tables (a value of the wrong kind is refused),
// every text column with the text collation, indexes tab(fam, im, ot) and tab(tele).
std::string schemaScript();

// Creates the tables and indexes on an open database that has none of them yet, registering the
// collation on the connection first. All or nothing. Throws StoreError.
void createSchema(sqlite3 *db);

// The same tables for PostgreSQL: ids from an identity column, every text column with a
// case-insensitive ICU collation that still tells Ё from Е and that an index serves.
std::string serverSchemaScript();

} // namespace store
