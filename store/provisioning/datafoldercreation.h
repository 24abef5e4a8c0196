#pragma once

#include "store/storeerror.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

namespace store {

// What making a data folder came to; the caller words it.
struct DataFolderCreation {
    enum class Outcome {
        Created,          // paths: the files made, in the order they were made
        FilesExist,       // paths: the files that were already there; nothing was changed
        FolderNotCreated, // paths: the folder
        Failed,           // failure: the file and what went wrong; nothing was left behind
    };
    Outcome outcome = Outcome::Created;
    QStringList paths;
    std::optional<StoreError> failure;
};

// Makes a folder the program can run in: history.dat with the sample reference data, an empty
// db.dat and, when config is given, conf.cfg holding those bytes. Never replaces a file (conf.cfg
// counts only when config is given); whatever it made before a failure is removed again.
DataFolderCreation createDataFolder(const QString &directory, const std::optional<QByteArray> &config = std::nullopt);

// The same for a directory on a server (a libpq connection string): the tables and the sample
// reference data go onto the server, which must not hold any of the tables yet (Failed names them,
// and nothing is changed); the folder gets db.dat and conf.cfg, whose first line is config (or
// "bd=") and whose second names the server. No history.dat.
DataFolderCreation createServerDataFolder(const QString &directory, const QString &server,
                                          const std::optional<QByteArray> &config = std::nullopt);

} // namespace store
