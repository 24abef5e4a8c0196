#pragma once

#include "jet/neutralrows.h"

#include <QStringList>

// Remembers what a RowSink was told, as one line per call.
class RecordingSink : public jet::RowSink {
public:
    void beginTable(const jet::SourceTable &table) override
    {
        tables.append(table);
        calls.append(QStringLiteral("begin ") + table.name);
    }
    void addRow(const jet::SourceRow &row) override
    {
        rows.append(row);
        calls.append(QStringLiteral("row"));
    }
    void endTable() override { calls.append(QStringLiteral("end")); }

    QList<jet::SourceTable> tables;
    QList<jet::SourceRow> rows;
    QStringList calls;
};
