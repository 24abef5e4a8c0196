#include "cli/commands.h"

namespace cli {

const std::vector<std::unique_ptr<Command>> &commands()
{
    static const std::vector<std::unique_ptr<Command>> all = [] {
        std::vector<std::unique_ptr<Command>> list;
        list.push_back(makeInitCommand());
        list.push_back(makeSqlCommand());
        list.push_back(makeFindCommand());
        list.push_back(makeCheckCommand());
        list.push_back(makeImportJetCommand());
        list.push_back(makeExportCommand());
        list.push_back(makeImportCsvCommand());
        list.push_back(makeCopyCommand());
        list.push_back(makeChangesCommand());
        return list;
    }();
    return all;
}

Command *findCommand(const QString &name)
{
    for (const std::unique_ptr<Command> &command : commands())
        if (command->name() == name)
            return command.get();
    return nullptr;
}

} // namespace cli
