#include "jet/readerprocess.h"

#include "jet/importerror.h"
#include "jet/platform/childlifetime.h"
#include "installdirs.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QScopeGuard>

namespace jet {

namespace {

constexpr int kPollMs = 50;
constexpr qsizetype kDiagnosticsKept = 2000;

// The first line the child printed, to name the cause of a failed run; empty when it printed none.
QString firstLine(const QByteArray &errors)
{
    return QString::fromUtf8(errors.left(errors.indexOf('\n')).trimmed());
}

} // namespace

ReaderProcess::ReaderProcess(QString program, QStringList arguments, ReaderLimits limits)
    : m_program(std::move(program)), m_arguments(std::move(arguments)), m_limits(limits)
{
}

void ReaderProcess::run(const std::function<void(const Frame &)> &onFrame)
{
    QProcess process;
    // Whatever ends the run early, the child does not outlive it.
    const auto stop = qScopeGuard([&process] {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished();
        }
    });
    process.setProgram(m_program);
    process.setArguments(m_arguments);
    endWithThisProcess(process);
    process.start(QIODevice::ReadOnly);
    if (!process.waitForStarted())
        throw ImportError(ImportError::Kind::ReaderNotStarted, {m_program, process.errorString()});

    FrameDecoder decoder(m_limits.frameBytes);
    m_errorHead.clear();
    qint64 stdoutTotal = 0;
    qint64 stderrTotal = 0;
    QElapsedTimer sinceProgress;
    sinceProgress.start();

    for (;;) {
        const bool ended = process.state() == QProcess::NotRunning;

        const QByteArray errors = process.readAllStandardError();
        stderrTotal += errors.size();
        if (m_errorHead.size() < kDiagnosticsKept)
            m_errorHead.append(errors.left(kDiagnosticsKept - m_errorHead.size()));
        if (stderrTotal > m_limits.stderrBytes)
            throw ImportError(ImportError::Kind::ReaderFlooded, {firstLine(m_errorHead)});

        const QByteArray frames = process.readAllStandardOutput();
        stdoutTotal += frames.size();
        if (m_limits.stdoutBytes > 0 && stdoutTotal > m_limits.stdoutBytes)
            throw ImportError(ImportError::Kind::ReaderOverran, {QString::number(m_limits.stdoutBytes)});
        if (!frames.isEmpty())
            sinceProgress.restart();
        decoder.feed(frames);
        while (const std::optional<Frame> frame = decoder.next())
            onFrame(*frame);

        if (ended)
            break;
        if (sinceProgress.elapsed() > m_limits.stallMs)
            throw ImportError(ImportError::Kind::ReaderStalled, {QString::number(m_limits.stallMs / 1000.0)});
        process.waitForReadyRead(kPollMs);
    }

    if (decoder.hasPartialFrame())
        throw ImportError(ImportError::Kind::ReaderCutShort);
    if (process.exitStatus() == QProcess::CrashExit)
        throw ImportError(ImportError::Kind::ReaderCrashed, {firstLine(m_errorHead)});
    if (process.exitCode() != 0)
        throw ImportError(ImportError::Kind::ReaderFailed,
                          {QString::number(process.exitCode()), firstLine(m_errorHead)});
}

qint64 outputAllowance(qint64 fileBytes)
{
    constexpr qint64 kFloor = qint64(256) << 20;
    constexpr qint64 kGrowth = 64;
    return std::max(kFloor, fileBytes * kGrowth);
}

QString defaultReaderProgram()
{
    return installdirs::locate(QCoreApplication::applicationDirPath(), QStringLiteral("zelvik-jet-reader"),
                               installdirs::kHelperDir);
}

} // namespace jet
