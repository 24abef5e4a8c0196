#pragma once

#include "clirunner.h"
#include "identity.h"

enum class RunAs { CurrentUser, Unprivileged };

// zelvik-cli run as the current user or, for the read-only cases, as one the permission bits bind.
inline CliRun runCli(const QString &folder, const QStringList &args, RunAs as)
{
    return runCli(folder, args,
                  as == RunAs::Unprivileged ? identity::childBecomesUnprivileged() : std::function<void()>{});
}
