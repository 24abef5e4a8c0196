#include "messages/importtext.h"
#include "tests/jet/fixtures.h"
#include "jet/importerror.h"
#include "tests/jet/writersupport.h"

#include <QDir>

#include <gtest/gtest.h>

namespace {

TEST(DamagedFile, ClearErrorAndNothingLeftOnHangDamagedFile)
{
    REQUIRE_FIXTURE("hang-damaged.mdb");
    ScratchStore store;
    try {
        jet::importJetFile(fixture("hang-damaged.mdb"), store.path(), {}, testImportOptions());
        FAIL() << "the damaged file was imported";
    } catch (const jet::ImportError &error) {
        EXPECT_TRUE(messages::errorText(error).startsWith(QStringLiteral("не удаётся прочитать ") + fixture("hang-damaged.mdb")))
            << error.what();
        EXPECT_TRUE(messages::errorText(error).contains(QStringLiteral("файл, похоже, повреждён"))) << error.what();
    }
    EXPECT_EQ(QDir(store.folder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList());
}

TEST(DamagedFile, FileThatIsNoJetDatabaseLeavesNothing)
{
    ScratchStore store;
    const QString notJet = QDir(store.folder()).filePath(QStringLiteral("notes.txt"));
    QFile file(notJet);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(8192, 'x'));
    file.close();
    try {
        jet::importJetFile(notJet, store.path(), {}, testImportOptions());
        FAIL() << "a text file was imported";
    } catch (const jet::ImportError &error) {
        EXPECT_EQ(messages::errorText(error), QStringLiteral("не удаётся прочитать %1: это не база данных Jet, или она не читается").arg(notJet));
    }
    EXPECT_EQ(QDir(store.folder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList{QStringLiteral("notes.txt")});
}

TEST(DamagedFile, MissingSourceIsNamed)
{
    ScratchStore store;
    try {
        jet::importJetFile(QStringLiteral("/nonexistent/history.mdb"), store.path(), {}, testImportOptions());
        FAIL() << "no error";
    } catch (const jet::ImportError &error) {
        EXPECT_EQ(messages::errorText(error), QStringLiteral("не удаётся прочитать /nonexistent/history.mdb: файл не найден"));
    }
}

} // namespace
