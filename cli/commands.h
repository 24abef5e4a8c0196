#pragma once

#include "cli/command.h"

#include <memory>
#include <vector>

namespace cli {

// Every subcommand, in the order the help lists them. Each is defined in its own command_<word>.cpp;
// adding one is its file, a line here and a line in commands.cpp.
std::unique_ptr<Command> makeInitCommand();
std::unique_ptr<Command> makeSqlCommand();
std::unique_ptr<Command> makeFindCommand();
std::unique_ptr<Command> makeCheckCommand();
std::unique_ptr<Command> makeImportJetCommand();
std::unique_ptr<Command> makeExportCommand();
std::unique_ptr<Command> makeImportCsvCommand();
std::unique_ptr<Command> makeCopyCommand();
std::unique_ptr<Command> makeChangesCommand();

const std::vector<std::unique_ptr<Command>> &commands();
// The command with that word, or null.
Command *findCommand(const QString &name);

} // namespace cli
