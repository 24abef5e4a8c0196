#include "cli/commands.h"
#include "messages/errortext.h"
#include "cli/output.h"

#include "store/connection.h"
#include "store/storeerror.h"
#include "store/provisioning/storecopy.h"

#include <cstdio>

namespace cli {

namespace {

class CopyCommand : public Command {
public:
    CopyCommand()
        : Command(QStringLiteral("copy"),
                  QStringLiteral("copy a whole directory, every table and row with its id, between a history.dat "
                                 "file and a PostgreSQL server (either way, or file to file), into an empty target "
                                 "only, all or nothing"))
    {
        addArgument(QStringLiteral("SOURCE"), QStringLiteral("a history.dat path, or a server's connection string "
                                                             "(key=value ... or postgresql://...)"));
        addArgument(QStringLiteral("TARGET"), QStringLiteral("a file that does not exist yet, or a server database "
                                                             "without the directory's tables"));
        addOption(kKeepRoleMembersOption);
    }

protected:
    int run(const QCommandLineParser &parser) override
    {
        const QStringList positional = parser.positionalArguments();
        const store::StoreAddress source = store::storeAddress(positional[0]);
        const store::StoreAddress target = store::storeAddress(positional[1]);
        // On the command line, ps shows the password to every user of the machine.
        if (store::conninfoHoldsPassword(source.server) || store::conninfoHoldsPassword(target.server)) {
            printError(passwordRefusal() + QStringLiteral("; nothing was copied"));
            return Failure;
        }
        try {
            const auto progress = [](const QString &table, qint64 copied) {
                std::fprintf(stderr, "%s: %lld rows\n", qPrintable(table), static_cast<long long>(copied));
            };
            const qint64 rows = store::copyDirectory(source, target, progress, store::kCopyBatchRows,
                                                     parser.isSet(kKeepRoleMembersOption) ? store::RoleMembers::Kept
                                                                                          : store::RoleMembers::Refused);
            printLine(QStringLiteral("copied %1 rows").arg(rows));
            if (source.isServer() && !target.isServer())
                printLine(QStringLiteral("the server's record of changes stays there: the file gets none"));
        } catch (const store::StoreError &e) {
            printError(messages::errorText(e, messages::NothingDone::Copied));
            return Failure;
        }
        return Success;
    }
};

} // namespace

std::unique_ptr<Command> makeCopyCommand()
{
    return std::make_unique<CopyCommand>();
}

} // namespace cli
