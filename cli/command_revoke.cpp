#include "cli/commands.h"
#include "cli/output.h"
#include "cli/servercommand.h"

#include "messages/errortext.h"
#include "store/admin/serverroles.h"
#include "store/storeerror.h"

namespace cli {

namespace {

class RevokeCommand : public ServerCommand {
public:
    RevokeCommand()
        : ServerCommand(QStringLiteral("revoke"),
                        QStringLiteral("take the directory's roles (reader, operator, editor) from a login on the "
                                       "server, whoever granted them; the login itself stays"))
    {
        addArgument(QStringLiteral("LOGIN"), QStringLiteral("the server's login (role)"));
    }

protected:
    int run(const QCommandLineParser &parser) override
    {
        const QString login = parser.positionalArguments().first();
        const std::optional<QString> server = this->server(parser);
        if (!server)
            return Failure;
        try {
            const store::RoleRevocation revocation = store::revokeServerRoles(*server, login);
            printLine(revocation.revoked.isEmpty()
                          ? QStringLiteral("%1 held none of the directory's roles").arg(login)
                          : QStringLiteral("%1 is no longer a member of %2").arg(login, revocation.revoked.join(u", ")));
            if (!revocation.stillReached.isEmpty())
                printLine(QStringLiteral("%1 still has the rights of %2 through another role it is a member of; "
                                         "revoke that role's membership with PostgreSQL's own tools")
                              .arg(login, revocation.stillReached.join(u", ")));
        } catch (const store::StoreError &e) {
            printError(messages::errorText(e, messages::NothingDone::Changed));
            return Failure;
        }
        return Success;
    }
};

} // namespace

std::unique_ptr<Command> makeRevokeCommand()
{
    return std::make_unique<RevokeCommand>();
}

} // namespace cli
