#pragma once

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QThread>

#include <csignal>

// A stand-in for zelvik-jet-reader that sends the first half of what the real reader sends for a
// file, then stops as if libmdb hung, so that whoever drives it can be killed mid-way. It notes
// its process id and when it has paused.
class PausingReader {
public:
    // Writes the script into folder as zelvik-jet-reader; false when the real reader fails.
    bool install(const QString &folder, const QString &realReader, const QString &source)
    {
        m_folder = QDir(folder);
        const QString stream = m_folder.filePath(QStringLiteral("frames.bin"));
        QProcess real;
        real.setStandardOutputFile(stream);
        real.start(realReader, {source});
        if (!real.waitForFinished() || real.exitCode() != 0)
            return false;
        QFile script(program());
        if (!script.open(QIODevice::WriteOnly))
            return false;
        script.write(QStringLiteral("#!/bin/sh\n"
                                    "echo $$ > '%1'\n"
                                    "head -c %2 '%3'\n"
                                    ": > '%4'\n"
                                    "exec sleep 600\n")
                         .arg(m_folder.filePath(QStringLiteral("reader.pid")))
                         .arg(QFileInfo(stream).size() / 2)
                         .arg(stream, pausedMarker())
                         .toUtf8());
        script.close();
        return script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    QString program() const { return m_folder.filePath(QStringLiteral("zelvik-jet-reader")); }

    // Waits until the reader has sent its half; false when driver ended first.
    bool waitUntilPaused(const QProcess &driver) const
    {
        while (!QFileInfo::exists(pausedMarker())) {
            if (driver.state() == QProcess::NotRunning)
                return false;
            QThread::msleep(20);
        }
        return true;
    }

    // Waits until the reader process is gone (a zombie counts as gone: nobody may reap it here).
    void waitUntilGone() const
    {
        QFile pidFile(m_folder.filePath(QStringLiteral("reader.pid")));
        if (!pidFile.open(QIODevice::ReadOnly))
            return;
        const QByteArray pid = pidFile.readAll().trimmed();
        for (;;) {
            QFile stat(QStringLiteral("/proc/%1/stat").arg(QString::fromLatin1(pid)));
            if (!stat.open(QIODevice::ReadOnly))
                return;
            const QByteArray line = stat.readAll();
            const qsizetype state = line.lastIndexOf(')') + 2;
            if (state < line.size() && (line[state] == 'Z' || line[state] == 'X'))
                return;
            QThread::msleep(20);
        }
    }

private:
    QString pausedMarker() const { return m_folder.filePath(QStringLiteral("reader.paused")); }

    QDir m_folder;
};

// SIGKILL, as a crash or a power cut would end the process: no handler, no clean-up.
inline void killHard(QProcess &process)
{
    ::kill(pid_t(process.processId()), SIGKILL);
    process.waitForFinished();
}
