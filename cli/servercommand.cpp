#include "cli/servercommand.h"

#include "cli/output.h"

#include "store/connection.h"

namespace cli {

namespace {

const QCommandLineOption kServerOption(QStringLiteral("server"),
                                       QStringLiteral("the directory's PostgreSQL server (a libpq connection string "
                                                      "or postgresql:// URI; no password: ~/.pgpass, PGPASSFILE "
                                                      "or a service file), instead of the one conf.cfg names"),
                                       QStringLiteral("CONNINFO"));

} // namespace

ServerCommand::ServerCommand(QString name, QString description) : Command(std::move(name), std::move(description))
{
    addDirectoryOption();
    addOption(kServerOption);
}

std::optional<QString> ServerCommand::server(const QCommandLineParser &parser)
{
    if (parser.isSet(kServerOption) && !parser.value(kServerOption).isEmpty()) {
        const QString conninfo = parser.value(kServerOption);
        // On the command line, ps shows the password to every user of the machine.
        if (store::conninfoHoldsPassword(conninfo)) {
            printError(passwordRefusal() + QStringLiteral("; nothing was changed"));
            return std::nullopt;
        }
        return conninfo;
    }
    if (!enterDirectory(parser))
        return std::nullopt;
    const std::optional<config::ConfFile> conf = readConfFile();
    if (!conf)
        return std::nullopt;
    if (conf->server().isEmpty()) {
        printError(QStringLiteral("conf.cfg names no server; roles exist only on a server (give --server)"));
        return std::nullopt;
    }
    return conf->server();
}

} // namespace cli
