#pragma once

#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

// One run of zelvik-cli in a folder, as a shell would start it.
struct CliRun {
    int exitCode = -1;
    QString out;
    QString err;
};

inline CliRun runCli(const QString &folder, const QStringList &args)
{
    QProcess process;
    process.setWorkingDirectory(folder);
    process.start(QStringLiteral(ZELVIK_CLI_PATH), args);
    process.waitForFinished(-1);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()), QString::fromUtf8(process.readAllStandardError())};
}
