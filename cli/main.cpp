#include "commands.h"
#include "output.h"

#include <QCoreApplication>

#include <exception>

namespace {

struct Command {
    const char *word;
    int (*run)(const QStringList &args);
    const char *usage;
    const char *summary;
};

#define ZELVIK_CLI_ENTRY(word, function, usage, summary) {word, cli::function, usage, summary},
const Command kCommands[] = {ZELVIK_CLI_COMMANDS(ZELVIK_CLI_ENTRY)};
#undef ZELVIK_CLI_ENTRY

QString usage()
{
    QString text = QStringLiteral("usage: zelvik-cli COMMAND [ARGUMENTS]\n\ncommands:\n");
    for (const Command &c : kCommands)
        text += QStringLiteral("  zelvik-cli %1\n      %2\n").arg(QString::fromUtf8(c.usage), QString::fromUtf8(c.summary));
    return text.trimmed();
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.isEmpty()) {
        cli::printError(usage());
        return cli::UsageError;
    }
    const QString &word = args.first();
    if (word == QLatin1String("help") || word == QLatin1String("--help") || word == QLatin1String("-h")) {
        cli::printLine(usage());
        cli::flushOutput();
        return cli::Success;
    }
    for (const Command &c : kCommands) {
        if (word == QLatin1String(c.word)) {
            int status = cli::Failure;
            try {
                status = c.run(args.mid(1));
            } catch (const std::exception &e) {
                // Whatever a command did not foresee still ends it with the reason, never silently.
                cli::printError(QStringLiteral("zelvik-cli %1: %2").arg(word, QString::fromLocal8Bit(e.what())));
            }
            cli::flushOutput();
            return status;
        }
    }
    cli::printError(QStringLiteral("zelvik-cli: unknown command %1\n").arg(word) + usage());
    return cli::UsageError;
}
