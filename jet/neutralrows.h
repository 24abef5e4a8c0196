#pragma once

#include "jet/framing.h"

#include <QList>
#include <QString>
#include <QVariant>

namespace jet {

using framing::ColumnKind;

struct SourceColumn {
    QString name;
    ColumnKind kind = ColumnKind::Other;
    bool autoNumber = false;
    bool primaryKey = false;
};

struct SourceTable {
    QString name;
    QList<SourceColumn> columns;
    qint64 rowsExpected = 0; // as the file's table header says; only for progress
};

// One value per column: null QVariant for NULL, qint64, double, QString (text) or QByteArray (bytes).
using SourceRow = QVariantList;

// Where the rows of a Jet file go, table by table.
class RowSink {
public:
    virtual ~RowSink() = default;
    virtual void beginTable(const SourceTable &table) = 0;
    virtual void addRow(const SourceRow &row) = 0;
    virtual void endTable() = 0;
};

} // namespace jet
