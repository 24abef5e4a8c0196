#include "commands.h"
#include "output.h"

#include "cp1251.h"
#include "databaseerror.h"
#include "directoryfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <optional>

namespace cli {

namespace {

// Writes a new file with the given bytes; never replaces one.
bool writeNewFile(const QString &path, const QByteArray &bytes, QString &problem)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly) || file.write(bytes) != bytes.size()
        || !file.flush()) {
        problem = path + QStringLiteral(": ") + file.errorString();
        return false;
    }
    return true;
}

struct InitOptions {
    QString directory;
    std::optional<QString> region;
};

int init(const InitOptions &options)
{
    QString problem;
    // conf.cfg is read as Windows-1251, and only its first line counts.
    QByteArray config;
    if (options.region) {
        const std::optional<QByteArray> name = cp1251::encode(*options.region);
        if (!name || name->contains('\n') || name->contains('\r')) {
            printError(QStringLiteral("the region name cannot be written as one line in Windows-1251: %1")
                           .arg(*options.region));
            return Failure;
        }
        config = "bd=" + *name + "\n";
    }

    const QDir dir(options.directory);
    const QString history = dir.filePath(QStringLiteral("history.dat"));
    const QString marker = dir.filePath(QStringLiteral("db.dat"));
    const QString conf = dir.filePath(QStringLiteral("conf.cfg"));
    QStringList existing;
    for (const QString &path : {history, marker, conf})
        if ((path != conf || options.region) && (QFileInfo::exists(path) || QFileInfo(path).isSymLink()))
            existing.append(path);
    if (!existing.isEmpty()) {
        printError(QStringLiteral("%1: already exists; nothing was changed").arg(existing.join(QStringLiteral(", "))));
        return Failure;
    }
    if (!QDir().mkpath(options.directory)) {
        printError(options.directory + QStringLiteral(": cannot create the folder"));
        return Failure;
    }

    try {
        store::createDirectoryFile(history);
    } catch (const store::DatabaseError &e) {
        printError(e.text());
        return Failure;
    }
    QStringList created{history};
    bool written = writeNewFile(marker, {}, problem);
    if (written)
        created.append(marker);
    if (written && options.region) {
        written = writeNewFile(conf, config, problem);
        if (written)
            created.append(conf);
    }
    if (!written) {
        // Leave the folder as it was found.
        for (const QString &path : created)
            QFile::remove(path);
        printError(problem + QStringLiteral("; nothing was changed"));
        return Failure;
    }
    for (const QString &path : created)
        printLine(QStringLiteral("created %1").arg(path));
    return Success;
}

const QCommandLineOption kRegionOption(QStringLiteral("region"),
                                       QStringLiteral("write conf.cfg naming the region NAME"), QStringLiteral("NAME"));

class InitCommand : public Command {
public:
    InitCommand()
        : Command(QStringLiteral("init"),
                  QStringLiteral("create history.dat with the sample reference data, an empty db.dat and, with "
                                 "--region, conf.cfg"))
    {
        addArgument(QStringLiteral("DIR"), QStringLiteral("the folder, as --directory"), true);
        addDirectoryOption();
        addOption(kRegionOption);
    }

protected:
    int run(const QCommandLineParser &parser) override
    {
        const QStringList positional = parser.positionalArguments();
        if (!positional.isEmpty() && parser.isSet(kDirectoryOption))
            return usageError(QStringLiteral("the folder is given twice: DIR and --directory"));
        InitOptions options{positional.value(0, parser.value(kDirectoryOption)), std::nullopt};
        if (parser.isSet(kRegionOption))
            options.region = parser.value(kRegionOption);
        return init(options);
    }
};

} // namespace

std::unique_ptr<Command> makeInitCommand()
{
    return std::make_unique<InitCommand>();
}

} // namespace cli
