#include "tests/reliability/cliprocess.h"

#include "tests/reliability/identity.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <stdexcept>

namespace {

[[noreturn]] void failWith(const QString &text)
{
    throw std::runtime_error(text.toStdString());
}

// The build folder may lie where the unprivileged user cannot go (a checkout in root's home, which
// only root may enter), so that user runs a copy kept in a folder of the system's temporary space.
// The program needs no files of the build folder besides itself: the project's libraries are
// linked in, and Qt's come from the system.
QString programAnyoneCanRun()
{
    static QTemporaryDir dir;
    static const QString copy = [] {
        const QString path = dir.filePath(QFileInfo(cliProgram()).fileName());
        const auto everyone = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup
            | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther;
        if (!dir.isValid() || !QFile::setPermissions(dir.path(), everyone) || !QFile::copy(cliProgram(), path)
            || !QFile::setPermissions(path, everyone))
            failWith(QStringLiteral("cannot put a copy of zelvik-cli in %1").arg(dir.path()));
        identity::UnprivilegedFileAccess asUser;
        if (QFile file(path); !file.open(QIODevice::ReadOnly))
            failWith(QStringLiteral("%1: the unprivileged user cannot reach it; set TMPDIR to a folder every user may enter")
                         .arg(path));
        return path;
    }();
    return copy;
}

} // namespace

CliRun runCli(const QString &folder, const QStringList &args, RunAs as)
{
    if (as == RunAs::CurrentUser || !identity::isRoot())
        return runCli(folder, args);
    return runCli(folder, args, CliLaunch{programAnyoneCanRun(), identity::childBecomesUnprivileged()});
}
