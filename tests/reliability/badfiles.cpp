#include "tests/reliability/badfiles.h"

#include "store/sqlite/collation.h"
#include "tests/reliability/pipewatcher.h"
#include "store/sqlite/sqlitehandle.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>

#include <sqlite3.h>

#include <stdexcept>

namespace {

QString historyName()
{
    return QStringLiteral("history.dat");
}

void replaceHistory(const ScratchFolder &folder, const QByteArray &bytes)
{
    QFile::remove(folder.history());
    folder.write(historyName(), bytes);
}

// Bytes that begin like a Jet 4.0 database (an Access 2000 .mdb) but hold nothing more.
QByteArray jetLookalike()
{
    QByteArray bytes(4096, '\0');
    const QByteArray signature = QByteArray("\x00\x01\x00\x00Standard Jet DB\x00", 20);
    bytes.replace(0, signature.size(), signature);
    bytes[0x14] = 1; // Jet 4
    return bytes;
}

void usedThenAltered(const ScratchFolder &folder, const char *statements)
{
    alter(folder.history(), (std::string("PRAGMA journal_mode=WAL; ") + statements).c_str());
}

QByteArray randomBytes(qsizetype size)
{
    QRandomGenerator generator(20240601);
    QByteArray bytes(size, '\0');
    for (char &b : bytes)
        b = char(generator.bounded(256));
    return bytes;
}

} // namespace

void alter(const QString &file, const char *statements)
{
    sqlite3 *db = nullptr;
    const int rc = sqlite3_open_v2(file.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    const store::SqliteHandle handle(db);
    if (rc != SQLITE_OK)
        throw std::runtime_error("cannot open " + file.toStdString());
    store::registerCollation(db);
    char *error = nullptr;
    if (sqlite3_exec(db, statements, nullptr, nullptr, &error) != SQLITE_OK) {
        const std::string message = error ? error : "unknown error";
        sqlite3_free(error);
        throw std::runtime_error(message + " in: " + statements);
    }
}

void fillTab(const QString &file, int rows)
{
    const std::string statement =
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " + std::to_string(rows)
        + ") INSERT INTO tab(fam, im, ot, tele, ul, dom, domd, kv) "
          "SELECT 'Фамилия' || i, 'Имя', 'Отчество', '495' || (1000000 + i), 'Улица ' || hex(randomblob(40)), "
          "i % 90 + 1, '', i % 200 + 1 FROM n";
    alter(file, statement.c_str());
}

void damagePages(const ScratchFolder &folder)
{
    fillTab(folder.history(), 3000);
    QByteArray bytes = folder.read(historyName());
    // Page 1 (the schema) stays readable; the pages of tab and its indexes behind it do not.
    for (qsizetype at = 8192; at < bytes.size(); at += 4096)
        bytes.replace(at + 100, 64, QByteArray(64, '\xA5'));
    replaceHistory(folder, bytes);
}

QList<BadHistory> badHistories()
{
    return {
        {QStringLiteral("empty"), [](const ScratchFolder &f) { replaceHistory(f, {}); }},
        {QStringLiteral("zero-filled"), [](const ScratchFolder &f) { replaceHistory(f, QByteArray(64 * 1024, '\0')); }},
        {QStringLiteral("random bytes"), [](const ScratchFolder &f) { replaceHistory(f, randomBytes(48 * 1024)); }},
        {QStringLiteral("truncated"),
         [](const ScratchFolder &f) {
             fillTab(f.history(), 3000);
             const QByteArray whole = f.read(historyName());
             replaceHistory(f, whole.left(whole.size() / 2));
         }},
        {QStringLiteral("damaged pages"), damagePages},
        {QStringLiteral("a Jet/Access file"), [](const ScratchFolder &f) { replaceHistory(f, jetLookalike()); }},
        {QStringLiteral("another program's SQLite file"),
         [](const ScratchFolder &f) {
             QFile::remove(f.history());
             alter(f.history(), "CREATE TABLE notes(id INTEGER PRIMARY KEY, text TEXT); INSERT INTO notes(text) VALUES('x')");
         }},
        {QStringLiteral("a directory"),
         [](const ScratchFolder &f) {
             QFile::remove(f.history());
             QDir(f.path()).mkdir(historyName());
         },
         true},
        {QStringLiteral("a named pipe"),
         [](const ScratchFolder &f) {
             QFile::remove(f.history());
             makePipe(f.history());
         },
         true},
        // These four are files the program has used before (and so switched to WAL) and someone
        // has then edited by hand.
        {QStringLiteral("missing table tab"), [](const ScratchFolder &f) { usedThenAltered(f, "DROP TABLE tab"); }},
        {QStringLiteral("missing table im2"), [](const ScratchFolder &f) { usedThenAltered(f, "DROP TABLE im2"); }},
        {QStringLiteral("missing column kv"),
         [](const ScratchFolder &f) {
             usedThenAltered(f, "DROP INDEX tab_fam; DROP INDEX tab_tele; ALTER TABLE tab DROP COLUMN kv");
         }},
        {QStringLiteral("empty param"), [](const ScratchFolder &f) { usedThenAltered(f, "DELETE FROM param"); }},
        {QStringLiteral("param without s"), [](const ScratchFolder &f) { usedThenAltered(f, "UPDATE param SET s = NULL"); }},
    };
}
