#include "cli/commands.h"
#include "cli/output.h"
#include "cli/platform/console.h"

#include "store/storeerror.h"
#include "store/provisioning/stagingfile.h"
#include "messages/errortext.h"

#include "zelvik_version.h"

#include <QCoreApplication>

#include <exception>

namespace {

QString help()
{
    QString text = QStringLiteral("Usage: zelvik-cli COMMAND [ARGUMENTS] [OPTIONS]\n"
                                  "The telephone directory's store and searches without the window.\n"
                                  "\nOptions:\n"
                                  "  -h, --help     show this help; zelvik-cli COMMAND --help shows a command's\n"
                                  "  -v, --version  print the version\n"
                                  "\nCommands:\n");
    for (const std::unique_ptr<cli::Command> &command : cli::commands())
        text += QStringLiteral("  %1\n      %2\n").arg(command->usage(), command->description());
    return text.trimmed();
}

bool isOneOf(const QString &word, std::initializer_list<QLatin1StringView> words)
{
    return std::find(words.begin(), words.end(), word) != words.end();
}

int dispatch(const QStringList &args)
{
    if (args.isEmpty()) {
        cli::printError(help());
        return cli::UsageError;
    }
    const QString &word = args.first();
    if (isOneOf(word, {QLatin1StringView("--version"), QLatin1StringView("-v")})) {
        cli::printLine(QStringLiteral("zelvik-cli " ZELVIK_VERSION));
        return cli::Success;
    }
    if (isOneOf(word, {QLatin1StringView("--help"), QLatin1StringView("-h"), QLatin1StringView("help")})) {
        // "zelvik-cli help COMMAND" is the command's help.
        if (cli::Command *command = args.size() == 2 ? cli::findCommand(args[1]) : nullptr)
            return command->execute({QStringLiteral("--help")});
        cli::printLine(help());
        return cli::Success;
    }
    if (cli::Command *command = cli::findCommand(word)) {
        try {
            return command->execute(args.mid(1));
        } catch (const store::StoreError &e) {
            cli::printError(QStringLiteral("zelvik-cli %1: %2").arg(word, messages::errorText(e)));
            return cli::Failure;
        } catch (const std::exception &e) {
            // Whatever a command did not foresee still ends it with the reason, never silently.
            cli::printError(QStringLiteral("zelvik-cli %1: %2").arg(word, QString::fromLocal8Bit(e.what())));
            return cli::Failure;
        }
    }
    cli::printError(QStringLiteral("zelvik-cli: unknown command %1\n").arg(word) + help());
    return cli::UsageError;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    cli::prepareStandardStreams();
    // A copy or an init cut short by Ctrl+C or a kill leaves no half-written file behind.
    store::removeStagingOnSignals();
    const int status = dispatch(app.arguments().mid(1));
    cli::flushOutput();
    return status;
}
