#pragma once

#include "jet/neutralrows.h"
#include "jet/storewriter.h"

#include <QTemporaryDir>

#include <initializer_list>

// A column of a synthetic Jet table: name and kind, optionally an autonumber primary key.
inline jet::SourceColumn column(const char *name, jet::ColumnKind kind, bool autoNumberKey = false)
{
    return {QString::fromUtf8(name), kind, autoNumberKey, autoNumberKey};
}

inline jet::SourceTable sourceTable(const char *name, std::initializer_list<jet::SourceColumn> columns)
{
    return {QString::fromUtf8(name), QList<jet::SourceColumn>(columns), 0};
}

// Feeds a whole table to the writer.
inline void writeTable(jet::StoreWriter &writer, const jet::SourceTable &table,
                       std::initializer_list<jet::SourceRow> rows)
{
    writer.beginTable(table);
    for (const jet::SourceRow &row : rows)
        writer.addRow(row);
    writer.endTable();
}

inline QString text(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

// The store file a test writes, in a folder removed afterwards.
class ScratchStore {
public:
    QString path() const { return m_folder.filePath(QStringLiteral("history.dat")); }
    QString folder() const { return m_folder.path(); }

private:
    QTemporaryDir m_folder;
};
