#pragma once

#include "cli/command.h"

#include <optional>

namespace cli {

// A command that acts on the directory's server alone (grant, revoke): the one --server names, else
// the one the --directory folder's conf.cfg names.
class ServerCommand : public Command {
protected:
    ServerCommand(QString name, QString description);

    // The connection string; nothing, said on standard error, when there is no server to act on.
    static std::optional<QString> server(const QCommandLineParser &parser);
};

} // namespace cli
