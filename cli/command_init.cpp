#include "commands.h"
#include "output.h"

#include "cp1251.h"
#include "datafoldercreation.h"

#include <optional>

namespace cli {

namespace {

struct InitOptions {
    QString directory = QStringLiteral(".");
    std::optional<QString> region;
};

// Options or the reason they are wrong.
std::optional<InitOptions> parse(const QStringList &args, QString &problem)
{
    InitOptions options;
    bool directoryGiven = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &arg = args[i];
        if (arg == QLatin1String("--region")) {
            if (++i == args.size()) {
                problem = QStringLiteral("--region needs a name");
                return std::nullopt;
            }
            options.region = args[i];
        } else if (arg.startsWith(QLatin1String("--region="))) {
            options.region = arg.mid(9);
        } else if (arg.startsWith(QLatin1Char('-')) || directoryGiven) {
            problem = QStringLiteral("unexpected argument %1").arg(arg);
            return std::nullopt;
        } else {
            options.directory = arg;
            directoryGiven = true;
        }
    }
    return options;
}

} // namespace

int runInit(const QStringList &args)
{
    QString problem;
    const std::optional<InitOptions> options = parse(args, problem);
    if (!options) {
        printError(problem + QStringLiteral("\nusage: zelvik-cli init [DIR] [--region NAME]"));
        return UsageError;
    }

    // conf.cfg is read as Windows-1251, and only its first line counts.
    std::optional<QByteArray> config;
    if (options->region) {
        const std::optional<QByteArray> name = cp1251::encode(*options->region);
        if (!name || name->contains('\n') || name->contains('\r')) {
            printError(QStringLiteral("the region name cannot be written as one line in Windows-1251: %1")
                           .arg(*options->region));
            return Failure;
        }
        config = "bd=" + *name + "\n";
    }

    using Outcome = store::DataFolderCreation::Outcome;
    const store::DataFolderCreation made = store::createDataFolder(options->directory, config);
    switch (made.outcome) {
    case Outcome::FilesExist:
        printError(QStringLiteral("%1: already exists; nothing was changed").arg(made.paths.join(QStringLiteral(", "))));
        return Failure;
    case Outcome::FolderNotCreated:
        printError(options->directory + QStringLiteral(": cannot create the folder"));
        return Failure;
    case Outcome::Failed:
        printError(made.detail + QStringLiteral("; nothing was changed"));
        return Failure;
    case Outcome::Created:
        break;
    }
    for (const QString &path : made.paths)
        printLine(QStringLiteral("created %1").arg(path));
    return Success;
}

} // namespace cli
