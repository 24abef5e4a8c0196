#pragma once

#include "tests/support/clirunner.h"

enum class RunAs { CurrentUser, Unprivileged };

// zelvik-cli run as the current user or, for the read-only cases, as one the permission bits bind.
CliRun runCli(const QString &folder, const QStringList &args, RunAs as);
