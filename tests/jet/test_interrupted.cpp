#include "tests/jet/filebytes.h"
#include "tests/jet/fixtures.h"
#include "tests/jet/pausingreader.h"

#include "tests/support/clirunner.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

constexpr const char *kSample = "compIndexTestV2000.mdb";

// In-place conversion killed while rows are arriving: history.dat stays the Jet file it was, and
// the original is not yet linked anywhere.
TEST(Interrupted, KilledInPlaceConversionLeavesHistoryUntouched)
{
    REQUIRE_FIXTURE(kSample);
    QTemporaryDir work;
    PausingReader reader;
    ASSERT_TRUE(reader.install(work.path(), QStringLiteral(ZELVIK_JET_READER), fixture(kSample)));
    QTemporaryDir folder;
    const QString history = QDir(folder.path()).filePath(QStringLiteral("history.dat"));
    ASSERT_TRUE(copyFile(fixture(kSample), history));
    const QByteArray before = fileDigest(history);

    QProcess conversion;
    conversion.start(QStringLiteral(ZELVIK_JET_CONVERT_HELPER), {history, reader.program()});
    ASSERT_TRUE(reader.waitUntilPaused(conversion)) << conversion.readAllStandardError().toStdString();
    killHard(conversion);
    reader.waitUntilGone(); // the reader dies with its parent

    EXPECT_EQ(fileDigest(history), before);
    EXPECT_FALSE(QFileInfo::exists(history + QStringLiteral(".jet")));
    for (const QString &name : folderEntries(folder.path()))
        EXPECT_TRUE(name == QLatin1String("history.dat") || name.startsWith(QLatin1String("history.dat.import-")))
            << name.toStdString();
}

// import-jet killed mid-way: no store appears under the target's name, and the source is as it was.
TEST(Interrupted, KilledImportLeavesNoStoreAndTheSourceUntouched)
{
    REQUIRE_FIXTURE(kSample);
    // The CLI runs the zelvik-jet-reader beside it, so it runs here from a copy beside the stand-in.
    QTemporaryDir work;
    PausingReader reader;
    ASSERT_TRUE(reader.install(work.path(), QStringLiteral(ZELVIK_JET_READER), fixture(kSample)));
    const QString cli = QDir(work.path()).filePath(QStringLiteral("zelvik-cli"));
    ASSERT_TRUE(QFile::copy(cliProgram(), cli));
    const QByteArray before = fileDigest(fixture(kSample));
    QTemporaryDir target;
    const QString store = QDir(target.path()).filePath(QStringLiteral("history.dat"));

    QProcess import;
    import.start(cli, {QStringLiteral("import-jet"), fixture(kSample), QStringLiteral("--into"), store});
    ASSERT_TRUE(reader.waitUntilPaused(import)) << import.readAllStandardError().toStdString();
    killHard(import);
    reader.waitUntilGone();

    EXPECT_FALSE(QFileInfo::exists(store));
    EXPECT_EQ(fileDigest(fixture(kSample)), before);
}

} // namespace
