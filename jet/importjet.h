#pragma once

#include "jet/readerprocess.h"
#include "jet/rowstream.h"
#include "jet/storewriter.h"

#include <QFileDevice>
#include <QList>
#include <QString>

namespace jet {

struct ImportOptions {
    QString readerProgram; // empty: zelvik-jet-reader beside the running executable
    ReaderLimits limits;
};

struct ImportSummary {
    QList<StoreWriter::TableResult> tables;
    qint64 rows() const;
};

// Reads the Jet file source in a child process and writes every table into the new, empty SQLite
// file storePath. Does not rename anything. Throws jet::ImportError.
ImportSummary writeStoreFromJet(const QString &source, const QString &storePath, const ProgressFn &progress = {},
                                const ImportOptions &options = {});

// import-jet: a new store at target (which must not exist yet) from the Jet file source, which is
// only read. The store appears under its name only when every table has arrived; a failed import
// leaves nothing behind. Throws jet::ImportError.
ImportSummary importJetFile(const QString &source, const QString &target, const ProgressFn &progress = {},
                            const ImportOptions &options = {});

// What a store made from source is allowed: the source's own permissions, and always the owner's
// reading and writing, since the program writes into its store.
QFileDevice::Permissions storePermissions(const QString &source);

} // namespace jet
