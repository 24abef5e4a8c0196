#pragma once

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
        Failed,           // detail: the file and what went wrong; nothing was left behind
    };
    Outcome outcome = Outcome::Created;
    QStringList paths;
    QString detail;
};

// Makes a folder the program can run in: history.dat with the sample reference data, an empty
// db.dat and, when config is given, conf.cfg holding those bytes. Never replaces a file (conf.cfg
// counts only when config is given); whatever it made before a failure is removed again.
DataFolderCreation createDataFolder(const QString &directory, const std::optional<QByteArray> &config = std::nullopt);

} // namespace store
