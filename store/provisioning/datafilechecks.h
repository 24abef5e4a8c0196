#pragma once

#include "config/conffile.h"
#include "store/storeerror.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace store {

// A data file counts only as a regular file (or a link to one): a directory of that name does not.
bool dataFileExists(const QString &name);

// The data files that are missing, in the order the user is told about them: "db.dat" first, then
// "history.dat" or, with a server given, the server: one error naming it when it cannot be reached,
// refuses the login, lacks the directory's tables or does not let the connection in within timeout
// (ServerUnavailable, its cause ServerTimedOut). Empty when the program may run.
QList<StoreError> dataFileProblems(const QString &server = {},
                                   std::chrono::milliseconds timeout = config::kServerTimeout);

} // namespace store
