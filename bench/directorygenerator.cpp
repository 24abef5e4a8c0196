#include "bench/directorygenerator.h"

#include "store/provisioning/filestorecreation.h"
#include "bench/entrygenerator.h"
#include "bench/rawsqlite.h"
#include "store/schema.h"

#include <QDir>
#include <QFile>

#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace bench {

namespace {

// The insert into tab, built from the program's own table definition.
struct TabInsert {
    std::string sql;
    std::vector<std::string_view> columns; // in parameter order
};

TabInsert tabInsert()
{
    for (const store::TableDef &table : store::programTables()) {
        if (table.name != "tab")
            continue;
        TabInsert insert;
        std::string names, marks;
        for (const store::ColumnDef &column : table.columns) {
            if (column.kind == store::ColumnKind::Counter)
                continue;
            insert.columns.push_back(column.name);
            names.append(names.empty() ? "" : ",").append(column.name);
            marks.append(marks.empty() ? "?" : ",?");
        }
        insert.sql = "INSERT INTO tab(" + names + ") VALUES(" + marks + ")";
        return insert;
    }
    throw std::runtime_error("the program's schema has no table tab");
}

void bindEntry(RawStatement &statement, const std::vector<std::string_view> &columns, const GeneratedEntry &e)
{
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const int p = int(i + 1);
        const std::string_view c = columns[i];
        if (c == "fam") statement.bindText(p, e.fam);
        else if (c == "im") statement.bindText(p, e.im);
        else if (c == "ot") statement.bindText(p, e.ot);
        else if (c == "tele") statement.bindText(p, e.tele);
        else if (c == "ul") statement.bindText(p, e.ul);
        else if (c == "domd") statement.bindText(p, e.domd);
        else if (c == "dom") statement.bindInteger(p, e.dom);
        else if (c == "kv") statement.bindInteger(p, e.kv);
        else throw std::runtime_error("no generated value for tab." + std::string(c));
    }
}

// The CREATE INDEX statements of tab, as the schema made them.
std::vector<std::pair<std::string, std::string>> tabIndexes(RawDatabase &db)
{
    RawStatement query(db.handle(), "SELECT name, sql FROM sqlite_master WHERE type='index' AND tbl_name='tab' "
                                    "AND sql IS NOT NULL ORDER BY name");
    std::vector<std::pair<std::string, std::string>> indexes;
    while (query.step())
        indexes.emplace_back(reinterpret_cast<const char *>(sqlite3_column_text(query.handle(), 0)),
                             reinterpret_cast<const char *>(sqlite3_column_text(query.handle(), 1)));
    return indexes;
}

void ensureFile(const QString &path)
{
    QFile file(path);
    if (!file.exists() && !file.open(QIODevice::WriteOnly))
        throw std::runtime_error((path + QStringLiteral(": ") + file.errorString()).toStdString());
}

} // namespace

void generateDirectory(const QString &folder, const GenerationOptions &options)
{
    if (!QDir().mkpath(folder))
        throw std::runtime_error(folder.toStdString() + ": cannot create the folder");
    const QString path = QDir(folder).filePath(QStringLiteral("history.dat"));
    store::createDirectoryFile(path);
    ensureFile(QDir(folder).filePath(QStringLiteral("db.dat")));

    SurnameModel surnames;
    const ReferenceNames names = sampleReferenceNames();
    EntryGenerator generator(surnames, names, options.seed);
    if (options.rows > generator.capacity())
        throw std::runtime_error("cannot make that many distinct phone numbers");

    RawDatabase db(path.toStdString());
    // A half-built file is thrown away, never used: no need to sync while loading. The large cache
    // and the sorter threads are for building the indexes.
    db.exec("PRAGMA synchronous=OFF");
    db.exec("PRAGMA cache_size=-1000000");
    db.exec("PRAGMA threads=2");
    db.exec("BEGIN");
    const auto indexes = tabIndexes(db);
    for (const auto &[name, sql] : indexes)
        db.exec(("DROP INDEX " + name).c_str());
    {
        const TabInsert insert = tabInsert();
        RawStatement statement(db.handle(), insert.sql);
        GeneratedEntry entry;
        for (std::uint64_t row = 0; row < options.rows; ++row) {
            generator.next(entry);
            bindEntry(statement, insert.columns, entry);
            statement.step();
            statement.reset();
            if (options.progress && (row + 1) % options.progressEvery == 0)
                options.progress(row + 1);
        }
    }
    for (const auto &[name, sql] : indexes)
        db.exec(sql.c_str());
    db.exec("COMMIT");
    db.exec("PRAGMA journal_mode=WAL");
}

} // namespace bench
