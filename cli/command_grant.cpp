#include "cli/commands.h"
#include "cli/output.h"
#include "cli/servercommand.h"

#include "messages/errortext.h"
#include "store/admin/serverroles.h"
#include "store/schema.h"
#include "store/storeerror.h"

namespace cli {

namespace {

// The words the command takes, in the roles' order.
const QStringList kRoleWords{QStringLiteral("reader"), QStringLiteral("operator"), QStringLiteral("editor")};

class GrantCommand : public ServerCommand {
public:
    GrantCommand()
        : ServerCommand(QStringLiteral("grant"),
                        QStringLiteral("let a login (made with PostgreSQL's own tools) use the directory on the "
                                       "server as a reader (search), an operator (search and store the entries a "
                                       "search invents) or an editor (also change and delete entries in the grid); "
                                       "creates the directory's roles when they are missing, and mends what a server "
                                       "made by an earlier version lacks (zelvik-cli check names it)"))
    {
        addArgument(QStringLiteral("LOGIN"), QStringLiteral("the server's login (role)"));
        addArgument(QStringLiteral("ROLE"), QStringLiteral("reader, operator or editor"));
    }

protected:
    int run(const QCommandLineParser &parser) override
    {
        const QStringList positional = parser.positionalArguments();
        const QString &login = positional[0];
        const qsizetype role = kRoleWords.indexOf(positional[1]);
        if (role < 0)
            return usageError(QStringLiteral("ROLE is reader, operator or editor, not %1").arg(positional[1]));
        const std::optional<QString> server = this->server(parser);
        if (!server)
            return Failure;
        try {
            const store::RoleGrant granted = store::grantServerRole(*server, login, store::DirectoryRole(role));
            printLine(QStringLiteral("%1 is now a member of %2 (and of no other role of the directory)")
                          .arg(login, granted.role));
            for (const QString &column : granted.unlimitedColumns)
                printError(QStringLiteral("warning: column %1 of tab holds values longer than %2 characters, so the "
                                          "server cannot hold it to that limit yet; zelvik-cli check names them, and "
                                          "the next grant after they are shortened sets the limit")
                               .arg(column)
                               .arg(store::kTextValueLimit));
        } catch (const store::StoreError &e) {
            printError(messages::errorText(e, messages::NothingDone::Changed));
            return Failure;
        }
        return Success;
    }
};

} // namespace

std::unique_ptr<Command> makeGrantCommand()
{
    return std::make_unique<GrantCommand>();
}

} // namespace cli
