#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QVariant>

#include <string>

// Looks at a directory file beneath the program: a plain SQLite connection of its own, read-only,
// with the program's collation, so that what is checked is what the file really holds.
namespace storereading {

using Row = QVariantList;

// The columns of a row of tab, in the order rows() gives them.
enum TabColumn { Id, Fam, Im, Ot, Tele, Ul, Dom, Domd, Kv, TabColumns };

// Every row of the table in rowid order, all columns; for tab: id, fam, im, ot, tele, ul, dom, domd, kv.
QList<Row> rows(const QString &file, const QString &table);
// The rows that one statement yields.
QList<Row> query(const QString &file, const QString &sql);
// SQLite's integrity check with the program's collation: "ok" or the problems, one a line.
QString integrity(const QString &file);

// The bytes of the file, to prove that nothing wrote to it; empty for a missing file, and only a
// mark for something that is no regular file.
QByteArray digest(const QString &file);
// The same for the file and its write-ahead log together: a write may wait in the log for a while.
// An empty log counts as none, since merely reading may leave one behind.
std::string stateOf(const QString &file);

// The reference tables and param, all together, to prove that a search left them as they were.
QList<Row> referenceData(const QString &file);

} // namespace storereading
