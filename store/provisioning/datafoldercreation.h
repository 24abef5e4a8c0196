#pragma once

#include "config/conffile.h"
#include "store/admin/serverroles.h"
#include "store/storeerror.h"

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
    bool serverHeldDirectory = false; // a server folder named a directory that was there already
};

// Makes a folder the program can run in: history.dat with the sample reference data, an empty
// db.dat and, when conf is given, conf.cfg saying what it says (config::confFileBytes). Never
// replaces a file (conf.cfg counts only when conf is given); whatever it made before a failure is
// removed again, the folder (and those above it) too when it made them.
DataFolderCreation createDataFolder(const QString &directory, const std::optional<config::ConfFile> &conf = std::nullopt);

// Gives a folder that has none the conf.cfg createDataFolder would write for conf: Created with its
// path, FilesExist when there is one already (it is left as it is), or Failed.
DataFolderCreation createConfFile(const QString &directory, const config::ConfFile &conf);

// The same for a directory on the server conf names (a libpq connection string): the tables and the
// sample reference data go onto the server, which must not hold any of the tables yet (Failed names
// them, and nothing is changed), unless it holds them all: that directory is there already, and is
// used as it is, no table touched (an operator's folder). The folder gets db.dat and conf.cfg saying
// what conf says (its region, then the server). No history.dat. A failure takes away the folders it
// made. The roles an older directory of the database's name left, and their members, as members says
// (createServerDirectory).
DataFolderCreation createServerDataFolder(const QString &directory, const config::ConfFile &conf,
                                          RoleMembers members = RoleMembers::Refused);

} // namespace store
