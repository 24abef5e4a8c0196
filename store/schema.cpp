#include "schema.h"

#include "collation.h"
#include "databaseerror.h"

#include <sqlite3.h>

namespace store {

namespace {

using K = ColumnKind;

constexpr ColumnDef kTab[] = {{"id", K::Counter}, {"fam", K::Text}, {"im", K::Text},   {"ot", K::Text},
                              {"tele", K::Text},  {"ul", K::Text},  {"dom", K::Integer}, {"domd", K::Text},
                              {"kv", K::Integer}};
constexpr ColumnDef kFam[] = {{"id", K::Key}, {"fam", K::Text}};
constexpr ColumnDef kIm[] = {{"id", K::Key}, {"im", K::Text}};
constexpr ColumnDef kOt[] = {{"id", K::Key}, {"ot", K::Text}};
constexpr ColumnDef kUl[] = {{"id", K::Key}, {"ul", K::Text}};
constexpr ColumnDef kTel[] = {{"id", K::Key}, {"tel", K::Text}};
constexpr ColumnDef kParam[] = {{"s", K::Integer}, {"tel", K::Integer}};

// im2 and ot2 hold the female names under the male tables' column names.
constexpr TableDef kTables[] = {{"tab", kTab}, {"fam", kFam}, {"im", kIm},   {"im2", kIm},    {"ot", kOt},
                                {"ot2", kOt},  {"ul", kUl},   {"tel", kTel}, {"param", kParam}};

constexpr std::string_view kIndexes = "CREATE INDEX tab_fam ON tab(fam, im, ot);\n"
                                      "CREATE INDEX tab_tele ON tab(tele);\n";

std::string_view declaration(ColumnKind kind)
{
    switch (kind) {
    case K::Counter:
        return "INTEGER PRIMARY KEY AUTOINCREMENT";
    case K::Key:
        return "INTEGER PRIMARY KEY";
    case K::Integer:
        return "INTEGER";
    case K::Text:
        break;
    }
    return "TEXT COLLATE ";
}

} // namespace

std::span<const TableDef> programTables()
{
    return kTables;
}

std::string schemaScript()
{
    std::string script;
    for (const TableDef &table : kTables) {
        script.append("CREATE TABLE ").append(table.name).append("(");
        const char *separator = "";
        for (const ColumnDef &column : table.columns) {
            script.append(separator).append(column.name).append(" ").append(declaration(column.kind));
            if (column.kind == K::Text)
                script.append(kCollation);
            separator = ", ";
        }
        script.append(") STRICT;\n");
    }
    script.append(kIndexes);
    return script;
}

void createSchema(sqlite3 *db)
{
    registerCollation(db);
    const std::string script = "SAVEPOINT create_schema;\n" + schemaScript() + "RELEASE create_schema;";
    if (sqlite3_exec(db, script.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK) {
        const QString message = QString::fromUtf8(sqlite3_errmsg(db));
        sqlite3_exec(db, "ROLLBACK TO create_schema; RELEASE create_schema;", nullptr, nullptr, nullptr);
        throw DatabaseError(QStringLiteral("cannot create the tables: ") + message);
    }
}

} // namespace store
