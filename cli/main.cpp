#include "cli/commands.h"
#include "cli/output.h"
#include "cli/platform/console.h"

#include "store/storeerror.h"
#include "store/provisioning/stagingfile.h"
#include "messages/errortext.h"

#include "zelvik_version.h"

#include <QCoreApplication>

#include <algorithm>
#include <exception>
#include <optional>

namespace {

QString help()
{
    QString text = QStringLiteral("Usage: zelvik-cli COMMAND [ARGUMENTS] [OPTIONS]\n"
                                  "The telephone directory's store and searches without the window.\n"
                                  "\nOptions:\n"
                                  "  -h, --help     show this help; zelvik-cli COMMAND --help shows a command's arguments and options\n"
                                  "  -v, --version  print the version\n"
                                  "\nCommands:\n");
    for (const std::unique_ptr<cli::Command> &command : cli::commands())
        text += QStringLiteral("  %1\n      %2\n").arg(command->usage(), command->description());
    return text.trimmed();
}

// The argument as it can be shown: its UTF-8 as it is, every other byte (and every control character)
// as \xHH.
QString shown(QByteArrayView bytes)
{
    QString text;
    for (qsizetype i = 0; i < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        const qsizetype length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
        const QByteArrayView character = bytes.sliced(i, std::min(length, bytes.size() - i));
        if (lead >= 0x20 && lead != 0x7F && character.size() == length && character.isValidUtf8()) {
            text += QString::fromUtf8(character);
            i += length;
        } else {
            text += QStringLiteral("\\x") + QString::fromLatin1(QByteArray(1, char(lead)).toHex().toUpper());
            ++i;
        }
    }
    return text;
}

// Arguments arrive as bytes on POSIX; one that is not UTF-8 would reach the command with U+FFFD in place of its
// bytes, and be stored or searched for as that. The refusal naming the first such, or nothing.
std::optional<QString> unreadableArgument(int argc, char **argv)
{
    const std::optional<int> at = cli::unreadableArgumentAt(argc, argv);
    if (!at)
        return std::nullopt;
    const QString command = cli::findCommand(QString::fromUtf8(argv[1]))
                                ? QStringLiteral("zelvik-cli ") + QString::fromUtf8(argv[1])
                                : QStringLiteral("zelvik-cli");
    return QStringLiteral("%1: argument %2, \"%3\", is not UTF-8 text; nothing was done")
        .arg(command)
        .arg(*at)
        .arg(shown(QByteArrayView(argv[*at])));
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
            // A write standard output refused (an export's) is reported once, by main, in its words.
            if (!cli::outputFailure())
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

// Runs the command line; whatever it printed arrived whole, or it fails saying so.
int run(const QStringList &args)
{
    int status = cli::Failure;
    try {
        status = dispatch(args);
    } catch (const cli::OutputRefused &) {
        // Reported below, as a refusal noticed at the last flush is.
    }
    if (cli::flushOutput())
        return status;
    const QString who = cli::findCommand(args.value(0)) ? QStringLiteral("zelvik-cli ") + args.first()
                                                        : QStringLiteral("zelvik-cli");
    cli::printError(QStringLiteral("%1: cannot write to standard output: %2; what it shows is incomplete")
                        .arg(who, *cli::outputFailure()));
    return cli::Failure;
}

} // namespace

int main(int argc, char **argv)
{
    cli::catchOutputFailures();
    QCoreApplication app(argc, argv);
    cli::prepareStandardStreams();
    // A copy or an init cut short by Ctrl+C or a kill leaves no half-written file behind.
    store::removeStagingOnSignals();
    if (const std::optional<QString> refusal = unreadableArgument(argc, argv)) {
        cli::printError(*refusal);
        return cli::UsageError;
    }
    return run(app.arguments().mid(1));
}
