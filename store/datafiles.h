#pragma once

#include <QString>
#include <QStringList>

namespace store {

// A data file counts only as a regular file (or a link to one): a directory of that name does not.
bool dataFileExists(const QString &name);

// The messages for the data files that are missing, in the order the user is told about them:
// "db.dat" first, then "history.dat". Empty when the program may run.
QStringList missingDataFileMessages();

} // namespace store
