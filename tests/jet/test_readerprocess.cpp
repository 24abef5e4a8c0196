#include "messages/importtext.h"
#include "tests/jet/fixtures.h"
#include "jet/importerror.h"
#include "jet/readerprocess.h"

#include <gtest/gtest.h>

using jet::Frame;
using jet::ReaderLimits;
using jet::ReaderProcess;

namespace {

// Runs a shell line as the reader; the error text, or empty when the run succeeded.
QString runShell(const char *script, ReaderLimits limits = {})
{
    ReaderProcess reader(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), QString::fromUtf8(script)}, limits);
    try {
        reader.run([](const Frame &) {});
    } catch (const jet::ImportError &error) {
        return messages::errorText(error);
    }
    return {};
}

TEST(ReaderProcess, SilentEndlessLoopIsStopped)
{
    ReaderLimits limits;
    limits.stallMs = 300;
    EXPECT_TRUE(runShell("exec sleep 600", limits).contains(QStringLiteral("не продвигалась")));
}

TEST(ReaderProcess, FloodOfWarningsIsStopped)
{
    ReaderLimits limits;
    limits.stderrBytes = 10000;
    const QString error = runShell("yes 'Warning: endless' >&2", limits);
    EXPECT_TRUE(error.contains(QStringLiteral("без конца выдавала предупреждения"))) << error.toStdString();
    EXPECT_TRUE(error.endsWith(QStringLiteral(" (Warning: endless)"))) << error.toStdString();
}

TEST(ReaderProcess, CrashIsReported)
{
    EXPECT_TRUE(runShell("kill -SEGV $$").contains(QStringLiteral("завершилась аварийно")));
}

TEST(ReaderProcess, FailureStatusIsReportedWithItsFirstLine)
{
    EXPECT_EQ(runShell("echo 'cannot open' >&2; echo more >&2; exit 3"),
              QStringLiteral("программа чтения Jet завершилась с кодом 3 (cannot open)"));
}

TEST(ReaderProcess, HalfAFrameAtTheEndIsReported)
{
    EXPECT_TRUE(runShell("printf 'R\\010\\000'").contains(QStringLiteral("посреди данных")));
}

TEST(ReaderProcess, MissingProgramIsReported)
{
    ReaderProcess reader(QStringLiteral("/nonexistent/zelvik-jet-reader"), {}, {});
    try {
        reader.run([](const Frame &) {});
        FAIL() << "no error";
    } catch (const jet::ImportError &error) {
        EXPECT_TRUE(messages::errorText(error).startsWith(QStringLiteral("не удаётся запустить программу чтения Jet"))) << error.what();
    }
}

TEST(ReaderProcess, OutputBeyondTheCapIsStopped)
{
    REQUIRE_FIXTURE("compIndexTestV2000.mdb");
    ReaderLimits limits;
    limits.stdoutBytes = 1000;
    ReaderProcess reader(QStringLiteral(ZELVIK_JET_READER), {fixture("compIndexTestV2000.mdb")}, limits);
    EXPECT_THROW(reader.run([](const Frame &) {}), jet::ImportError);
}

TEST(ReaderProcess, EveryFrameIsHandedOverInOrder)
{
    REQUIRE_FIXTURE("V2003_with-password.mdb");
    ReaderProcess reader(QStringLiteral(ZELVIK_JET_READER), {fixture("V2003_with-password.mdb")}, {});
    QString kinds;
    reader.run([&](const Frame &frame) { kinds.append(QLatin1Char(char(frame.kind))); });
    EXPECT_EQ(kinds, QStringLiteral("HPTRRREZ"));
}

TEST(ReaderProcess, ErrorOfTheReceiverPassesThrough)
{
    REQUIRE_FIXTURE("compIndexTestV2000.mdb");
    ReaderProcess reader(QStringLiteral(ZELVIK_JET_READER), {fixture("compIndexTestV2000.mdb")}, {});
    int frames = 0;
    EXPECT_THROW(reader.run([&](const Frame &) {
        if (++frames == 3)
            throw std::runtime_error("receiver failed");
    }),
                 std::runtime_error);
    EXPECT_EQ(frames, 3);
}

TEST(ReaderProcess, ReaderRefusesAFileThatIsNoJetDatabase)
{
    ReaderProcess reader(QStringLiteral(ZELVIK_JET_READER), {QStringLiteral(ZELVIK_JET_READER)}, {});
    QList<Frame> frames;
    EXPECT_THROW(reader.run([&](const Frame &frame) { frames.append(frame); }), jet::ImportError);
    ASSERT_FALSE(frames.isEmpty());
    EXPECT_EQ(frames.last().kind, jet::framing::FrameKind::Failure);
}

} // namespace
