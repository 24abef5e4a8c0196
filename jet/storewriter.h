#pragma once

#include "jet/neutralrows.h"
#include "store/provisioning/filestorewriter.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace jet {

// Writes the tables of a Jet file into a new store: the program's own tables (tab and the
// reference tables, matched by name without regard to case) get the program's schema, with any
// column the program does not know added to them; every other table is created as it came. Values
// are stored as they arrive, ids included, so AUTOINCREMENT counters go on after the largest one.
// Everything is one transaction, committed by finish(). Throws store::StoreError.
class StoreWriter : public RowSink {
public:
    struct TableResult {
        QString source;   // the name in the Jet file
        QString storedAs; // the table it went into
        qint64 rows = 0;
    };

    // Creates the program's tables in the file at path, which must not hold any table yet.
    explicit StoreWriter(const QString &path);
    ~StoreWriter() override; // without finish(), nothing is committed
    StoreWriter(const StoreWriter &) = delete;
    StoreWriter &operator=(const StoreWriter &) = delete;

    void beginTable(const SourceTable &table) override;
    void addRow(const SourceRow &row) override;
    void endTable() override;
    // Commits and closes the file.
    void finish();

    const QList<TableResult> &tables() const { return m_tables; }

private:
    QStringList targetColumns(const SourceTable &table, const QString &target);
    QString createCopiedTable(const SourceTable &table);

    store::FileStoreWriter m_file;
    TableResult m_current;
    QList<TableResult> m_tables;
};

} // namespace jet
