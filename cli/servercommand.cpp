#include "cli/servercommand.h"

#include "cli/output.h"

namespace cli {

namespace {

const QCommandLineOption kServerOption(QStringLiteral("server"),
                                       QStringLiteral("the directory's PostgreSQL server (a libpq connection string "
                                                      "or postgresql:// URI), instead of the one conf.cfg names"),
                                       QStringLiteral("CONNINFO"));

} // namespace

ServerCommand::ServerCommand(QString name, QString description) : Command(std::move(name), std::move(description))
{
    addDirectoryOption();
    addOption(kServerOption);
}

std::optional<QString> ServerCommand::server(const QCommandLineParser &parser)
{
    if (parser.isSet(kServerOption) && !parser.value(kServerOption).isEmpty())
        return parser.value(kServerOption);
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
