#include "cli/commands.h"
#include "cli/configuredchannel.h"
#include "cli/output.h"

#include "store/admin/changerecord.h"
#include "store/querychannel.h"

namespace cli {

namespace {

const QCommandLineOption kIdOption(QStringLiteral("id"), QStringLiteral("only the changes of the entry with this id"),
                                   QStringLiteral("N"));
const QCommandLineOption kSinceOption(QStringLiteral("since"),
                                      QStringLiteral("only the changes made at or after TIME (2026-12-08 14:00)"),
                                      QStringLiteral("TIME"));
const QCommandLineOption kLoginOption(QStringLiteral("login"), QStringLiteral("only the changes this login made"),
                                      QStringLiteral("NAME"));
const QCommandLineOption kPruneOption(QStringLiteral("prune-before"),
                                      QStringLiteral("drop the changes made before DATE instead of listing them "
                                                     "(the record's owner only)"),
                                      QStringLiteral("DATE"));

void printChanges(store::QueryChannel &channel, const store::ChangeFilter &filter)
{
    qsizetype columns = 0;
    channel.scan(
        store::changeListing(filter),
        [&](const QStringList &names) {
            columns = names.size();
            printRow(names);
        },
        [&](const store::RowText &row) {
            QStringList fields;
            for (int column = 0; column < columns; ++column)
                fields << QString::fromUtf8(row[column]);
            printRow(fields);
        });
}

class ChangesCommand : public Command {
public:
    ChangesCommand()
        : Command(QStringLiteral("changes"),
                  QStringLiteral("print the server's record of every change to the directory, newest first, "
                                 "tab-separated: when, which login, the entry's id, the action, the old and new "
                                 "values of the changed fields"))
    {
        addDirectoryOption();
        addOption(kIdOption);
        addOption(kSinceOption);
        addOption(kLoginOption);
        addOption(kPruneOption);
    }

protected:
    int run(const QCommandLineParser &parser) override
    {
        store::ChangeFilter filter{std::nullopt, parser.value(kSinceOption), parser.value(kLoginOption)};
        if (parser.isSet(kIdOption)) {
            bool number = false;
            filter.entry = parser.value(kIdOption).toLongLong(&number);
            if (!number)
                return usageError(QStringLiteral("--id takes a number, not %1").arg(parser.value(kIdOption)));
        }
        if (!enterDirectory(parser))
            return Failure;
        const std::optional<config::ConfFile> conf = readConfFile();
        if (!conf)
            return Failure;
        if (conf->server().isEmpty()) {
            printError(QStringLiteral("history.dat keeps no record of changes: only a directory on a PostgreSQL "
                                      "server has one"));
            return Failure;
        }
        return withConfiguredChannel(*conf, [&](store::QueryChannel &channel) -> int {
            channel.connect();
            if (!store::hasChangeRecord(channel)) {
                printError(QStringLiteral("this server's directory has no record of changes yet; its owner "
                                          "makes it with zelvik-cli grant"));
                return Failure;
            }
            if (parser.isSet(kPruneOption))
                return prune(channel, parser.value(kPruneOption));
            printChanges(channel, filter);
            return Success;
        });
    }

private:
    static int prune(store::QueryChannel &channel, const QString &before)
    {
        const store::ChangePruning pruning = store::pruneChanges(channel, before);
        if (!pruning.refusedOwner.isEmpty()) {
            printError(QStringLiteral("only the record's owner (%1) may drop its lines; this login may read them")
                           .arg(pruning.refusedOwner));
            return Failure;
        }
        printLine(QStringLiteral("dropped %1 changes made before %2").arg(pruning.dropped).arg(before));
        return Success;
    }
};

} // namespace

std::unique_ptr<Command> makeChangesCommand()
{
    return std::make_unique<ChangesCommand>();
}

} // namespace cli
