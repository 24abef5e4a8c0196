#pragma once

#include "store/audit/auditproblem.h"
#include "store/jetdialect.h"

#include <QStringList>

#include <functional>
#include <string>
#include <vector>

namespace store {

class QueryChannel;

// A statement's first column, every row as text: the file's own SQL on a file (FileAudit), the
// program's dialect through the channel on a server (firstColumnOf).
using AuditQuery = std::function<QStringList(const std::string &)>;

// Runs each statement on the channel and reads every row of its first column.
AuditQuery firstColumnOf(QueryChannel &channel);

// The tables and columns the searches use that are missing (or, on a server, a table the login may
// not read); when none is, whether param sets the phone numbering scheme.
std::vector<AuditProblem> schemaProblems(const AuditQuery &query, Dialect dialect);

// Texts in tab the stores refuse now (longer than the limit, or holding a NUL), which a copy would
// stop on, named by row and column, the first few of them. On a server only the columns it does not
// hold to the limit itself are read; such a column is a problem too, which the directory owner's next
// grant mends once no value breaks the limit.
std::vector<AuditProblem> unfitTextProblems(const AuditQuery &query, Dialect dialect);

// What else of a server made before only the directory owner's grant mends: a record of changes
// that every login may read, editors who may change an entry's id.
std::vector<AuditProblem> serverRightsProblems(const AuditQuery &query);

} // namespace store
