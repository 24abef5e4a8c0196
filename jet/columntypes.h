#pragma once

#include "jet/neutralrows.h"

#include <QString>

namespace jet {

// The SQLite declaration of a column carried over from Jet. Only the type names that STRICT tables
// accept are used, so the same declaration serves a new table and a column added to one of the
// program's tables. Text compares like the program's own text columns, as it did in Jet.
QString columnDeclaration(ColumnKind kind);

// The column that becomes the table's rowid: a primary key made of one integer column, with
// AUTOINCREMENT when Jet numbered it itself, so new rows go on numbering after the old ones.
// -1 when the table has no such key.
qsizetype rowidColumn(const SourceTable &table);
QString rowidDeclaration(const SourceColumn &column);

// A name as an SQLite identifier, whatever characters Jet allowed in it.
QString quotedIdentifier(const QString &name);

} // namespace jet
