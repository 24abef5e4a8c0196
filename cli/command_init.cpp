#include "cli/commands.h"
#include "cli/output.h"

#include "config/conffile.h"
#include "store/connection.h"
#include "store/provisioning/datafoldercreation.h"
#include "messages/errortext.h"

#include <optional>

namespace cli {

namespace {

struct InitOptions {
    QString directory;
    std::optional<QString> region;
    QString server;
    store::RoleMembers members = store::RoleMembers::Refused;
};

int init(const InitOptions &options)
{
    if (store::conninfoHoldsPassword(options.server)) {
        printError(passwordRefusal());
        return Failure;
    }
    // conf.cfg: with a server always (its region empty unless given), else only for a region.
    std::optional<config::ConfFile> conf;
    if (options.region || !options.server.isEmpty()) {
        conf.emplace();
        conf->region = options.region.value_or(QString());
        if (!options.server.isEmpty())
            conf->setValue("server", options.server);
        if (!config::confFileBytes(*conf)) {
            printError(QStringLiteral("the region name cannot be written as one line in Windows-1251: %1")
                           .arg(conf->region));
            return Failure;
        }
    }

    using Outcome = store::DataFolderCreation::Outcome;
    const store::DataFolderCreation made = options.server.isEmpty()
        ? store::createDataFolder(options.directory, conf)
        : store::createServerDataFolder(options.directory, *conf, options.members);
    switch (made.outcome) {
    case Outcome::FilesExist:
        printError(QStringLiteral("%1: already exists; nothing was changed").arg(made.paths.join(QStringLiteral(", "))));
        return Failure;
    case Outcome::FolderNotCreated:
        printError(options.directory + QStringLiteral(": cannot create the folder"));
        return Failure;
    case Outcome::Failed:
        printError(messages::errorText(*made.failure, messages::NothingDone::Changed));
        return Failure;
    case Outcome::Created:
        break;
    }
    if (made.serverHeldDirectory)
        printLine(QStringLiteral("the server holds the directory already: its tables are used as they are"));
    for (const QString &path : made.paths)
        printLine(QStringLiteral("created %1").arg(path));
    return Success;
}

const QCommandLineOption kRegionOption(QStringLiteral("region"),
                                       QStringLiteral("write conf.cfg naming the region NAME"), QStringLiteral("NAME"));

const QCommandLineOption kServerOption(QStringLiteral("server"),
                                       QStringLiteral("make the tables on this PostgreSQL server (a libpq connection "
                                                      "string or postgresql:// URI; no password: ~/.pgpass, "
                                                      "PGPASSFILE or a service file) and name it in conf.cfg, instead of history.dat; "
                                                      "a server that holds the directory already is named as it is, "
                                                      "no table touched"),
                                       QStringLiteral("CONNINFO"));

class InitCommand : public Command {
public:
    InitCommand()
        : Command(QStringLiteral("init"),
                  QStringLiteral("create history.dat (or, with --server, the tables on a server) with the sample "
                                 "reference data, an empty db.dat and, with --region or --server, conf.cfg"))
    {
        addArgument(QStringLiteral("DIR"), QStringLiteral("the folder, as --directory"), true);
        addDirectoryOption();
        addOption(kRegionOption);
        addOption(kServerOption);
        addOption(kKeepRoleMembersOption);
    }

protected:
    int run(const QCommandLineParser &parser) override
    {
        const QStringList positional = parser.positionalArguments();
        if (!positional.isEmpty() && parser.isSet(kDirectoryOption))
            return usageError(QStringLiteral("the folder is given twice: DIR and --directory"));
        InitOptions options{positional.value(0, parser.value(kDirectoryOption)), std::nullopt,
                            parser.value(kServerOption)};
        if (parser.isSet(kRegionOption))
            options.region = parser.value(kRegionOption);
        if (parser.isSet(kKeepRoleMembersOption))
            options.members = store::RoleMembers::Kept;
        if (parser.isSet(kServerOption) && options.server.isEmpty())
            return usageError(QStringLiteral("--server needs a connection string"));
        return init(options);
    }
};

} // namespace

std::unique_ptr<Command> makeInitCommand()
{
    return std::make_unique<InitCommand>();
}

} // namespace cli
