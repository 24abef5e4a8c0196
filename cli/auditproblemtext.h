#pragma once

#include "store/audit/auditproblem.h"

#include <QStringList>

#include <vector>

namespace cli {

// What zelvik-cli check prints for each problem the store's audit found, one line each.
QStringList auditProblemTexts(const std::vector<store::AuditProblem> &problems);

} // namespace cli
