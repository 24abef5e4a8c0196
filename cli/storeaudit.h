#pragma once

#include "store/jetdialect.h"

#include <QStringList>

#include <functional>
#include <string>

namespace cli {

// A statement's first column, every row as text: the file's own SQL on a file, the program's
// dialect through the channel on a server.
using AuditQuery = std::function<QStringList(const std::string &)>;

// What zelvik-cli check finds in tab's values: texts the stores refuse now (longer than the limit,
// or holding a NUL), which a copy would stop on, named by row and column, the first few of them. On
// a server only the columns it does not hold to the limit itself are read; such a column is a
// problem too, which the directory owner's next grant mends once no value breaks the limit.
QStringList unfitTextProblems(const AuditQuery &query, store::Dialect dialect);

// What else of a server made before only the directory owner's grant mends: a record of changes
// that every login may read, editors who may change an entry's id.
QStringList serverRightsProblems(const AuditQuery &query);

} // namespace cli
