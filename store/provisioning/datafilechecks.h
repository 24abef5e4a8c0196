#pragma once

#include "store/storeerror.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace store {

class Connection;

// A data file counts only as a regular file (or a link to one): a directory of that name does not.
bool dataFileExists(const QString &name);

// The server a folder's conf.cfg names on a later line "server=" (a libpq connection string or
// postgresql:// URI); empty when it names none, and when there is no such file. The first line
// stays the region's.
QString configuredServer(const QString &confPath = QStringLiteral("conf.cfg"));

// Points the connection at the directory conf.cfg chooses: the server it names, else history.dat.
void useConfiguredStore(Connection &connection, const QString &confPath = QStringLiteral("conf.cfg"));

// The data files that are missing, in the order the user is told about them: "db.dat" first, then
// "history.dat" or, with a server given, the server: one error naming it when it cannot be reached,
// refuses the login or lacks the directory's tables. Empty when the program may run.
QList<StoreError> dataFileProblems(const QString &server = {});

} // namespace store
