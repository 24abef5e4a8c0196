#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

#include <functional>

// zelvik-cli, run as a separate program in a working folder, as an administrator or a script would.
// Every test that starts zelvik-cli does it through here.
struct CliRun {
    bool finishedNormally = false; // false when it crashed or was killed
    int exitCode = -1;
    QString out;
    QString err;

    QStringList outLines() const;
    QString firstLine() const { return outLines().value(0); }
};

QString cliProgram();

// How a test wants zelvik-cli started, beyond its arguments.
struct CliLaunch {
    QString program = cliProgram(); // a copy elsewhere, say, for a user who cannot reach the build folder
    std::function<void()> inChild;  // runs in the child before zelvik-cli starts (to give up privileges, say)
};

// Sets the process up to run zelvik-cli with the arguments in the folder; start() is the caller's.
void prepareCli(QProcess &process, const QString &folder, const QStringList &args, const CliLaunch &launch = {});
// What a prepared process left when it ended.
CliRun collect(QProcess &process);
// Runs it to the end.
CliRun runCli(const QString &folder, const QStringList &args, const CliLaunch &launch = {});
