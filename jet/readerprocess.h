#pragma once

#include "jet/framedecoder.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>

namespace jet {

// What the reader child may take before it is killed. libmdb on a damaged file can loop forever,
// silently or flooding stderr, so every way it can run away is bounded.
struct ReaderLimits {
    int stallMs = 30000;                 // longest wait for the next bytes of data
    qint64 stderrBytes = 1 << 20;        // diagnostics beyond this mean libmdb is looping
    qint64 stdoutBytes = 0;              // all frames together; 0: unbounded (the importer bounds it)
    qint64 frameBytes = qint64(1) << 30; // one frame (a memo can be as large as Jet allows)
};

// What a file of that size may legitimately turn into: text grows up to threefold as UTF-8, and
// small values grow more in frames. A reader that loops over the same pages hits this bound.
qint64 outputAllowance(qint64 fileBytes);

// The zelvik-jet-reader child: runs it to its end and hands over each frame as it completes.
class ReaderProcess {
public:
    ReaderProcess(QString program, QStringList arguments, ReaderLimits limits);

    // Returns when the child has ended and every frame it sent was handed over. Throws jet::ImportError
    // when the child cannot start, overruns a limit (it is killed then), crashes or exits with a
    // failure status; whatever onFrame throws passes through, and the child is killed.
    void run(const std::function<void(const Frame &)> &onFrame);

private:
    QString m_program;
    QStringList m_arguments;
    ReaderLimits m_limits;
    QByteArray m_errorHead; // the start of what the child printed on stderr
};

// zelvik-jet-reader next to the running executable in a build, in the program's helper folder once installed.
QString defaultReaderProgram();

} // namespace jet
