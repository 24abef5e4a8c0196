#include "tests/support/clirunner.h"

#include "tests/support/childsetup.h"

QStringList CliRun::outLines() const
{
    QStringList lines = out.split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

QString cliProgram()
{
    return QStringLiteral(ZELVIK_CLI);
}

void prepareCli(QProcess &process, const QString &folder, const QStringList &args, const CliLaunch &launch)
{
    process.setProgram(launch.program);
    process.setArguments(args);
    process.setWorkingDirectory(folder);
    process.setProcessChannelMode(QProcess::SeparateChannels);
    if (launch.inChild)
        runInChild(process, launch.inChild);
}

CliRun collect(QProcess &process)
{
    CliRun run;
    run.finishedNormally = process.exitStatus() == QProcess::NormalExit && process.error() != QProcess::FailedToStart;
    run.exitCode = run.finishedNormally ? process.exitCode() : -1;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

CliRun runCli(const QString &folder, const QStringList &args, const CliLaunch &launch)
{
    QProcess process;
    prepareCli(process, folder, args, launch);
    process.start();
    // No limit of our own: a hang is the test runner's to stop, and is then reported as one.
    process.waitForFinished(-1);
    return collect(process);
}
