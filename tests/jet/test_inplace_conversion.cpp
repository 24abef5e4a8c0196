#include "jet/importerror.h"
#include "messages/importtext.h"
#include "tests/jet/filebytes.h"
#include "tests/jet/fixtures.h"
#include "jet/inplaceconversion.h"
#include "jet/jetsignature.h"
#include "jet/staging.h"
#include "tests/jet/writersupport.h"

#include "store/connection.h"
#include "store/querychannel.h"

#include <filesystem>

#include <gtest/gtest.h>

using jet::convertInPlace;

namespace {

class InPlace : public ::testing::Test {
protected:
    // history.dat in a scratch folder, a copy of the named Jet sample.
    bool prepare(const char *sample)
    {
        if (!QFileInfo::exists(fixture(sample)))
            return false;
        EXPECT_TRUE(copyFile(fixture(sample), path()));
        m_before = fileDigest(path());
        return true;
    }
    QString path() const { return m_store.path(); }
    QString original() const { return path() + QStringLiteral(".jet"); }

    ScratchStore m_store;
    QByteArray m_before;
};

TEST_F(InPlace, JetFileBecomesAStoreAndTheOriginalIsKept)
{
    if (!prepare("testUnicodeCompV2003.mdb"))
        GTEST_SKIP();
    const jet::Conversion conversion = convertInPlace(path(), {}, testImportOptions());
    EXPECT_EQ(conversion.original, original());
    EXPECT_EQ(conversion.summary.rows(), 8);
    EXPECT_EQ(fileDigest(original()), m_before);
    EXPECT_FALSE(jet::isJetFile(path()));
    EXPECT_EQ(folderEntries(m_store.folder()), QStringList({"history.dat", "history.dat.jet"}));

    store::Connection connection(path());
    store::QueryChannel channel(connection);
    channel.run(QStringLiteral("select Unicode from [Table] where ID=3"));
    EXPECT_EQ(channel.text(QStringLiteral("Unicode")), QStringLiteral("Мир"));
    channel.run(QStringLiteral("select count(*) as m from tab"));
    EXPECT_EQ(channel.integer(QStringLiteral("m")), 0);
}

TEST_F(InPlace, HistoryExactlyAsItWasOnHangDamagedFile)
{
    if (!prepare("hang-damaged.mdb"))
        GTEST_SKIP();
    EXPECT_THROW(convertInPlace(path(), {}, testImportOptions()), jet::ImportError);
    EXPECT_EQ(fileDigest(path()), m_before);
    EXPECT_EQ(folderEntries(m_store.folder()), QStringList({"history.dat"}));
}

TEST_F(InPlace, ForeignFileNamedLikeTheOriginalIsNeverReplaced)
{
    if (!prepare("V2003_with-password.mdb"))
        GTEST_SKIP();
    QFile other(original());
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.write("someone else's file");
    other.close();
    try {
        convertInPlace(path(), {}, testImportOptions());
        FAIL() << "no error";
    } catch (const jet::ImportError &error) {
        EXPECT_TRUE(messages::errorText(error).contains(QStringLiteral("history.dat.jet уже существует"))) << error.what();
    }
    EXPECT_EQ(fileDigest(path()), m_before);
    EXPECT_EQ(fileDigest(original()), QCryptographicHash::hash("someone else's file", QCryptographicHash::Sha256));
    EXPECT_EQ(folderEntries(m_store.folder()), QStringList({"history.dat", "history.dat.jet"}));
}

TEST_F(InPlace, ConversionStoppedAfterKeepingTheOriginalCanBeRepeated)
{
    if (!prepare("V2003_with-password.mdb"))
        GTEST_SKIP();
    // what a run killed between linking and renaming leaves: the original under both names
    std::filesystem::create_hard_link(QFile::encodeName(path()).constData(), QFile::encodeName(original()).constData());
    const jet::Conversion conversion = convertInPlace(path(), {}, testImportOptions());
    EXPECT_EQ(conversion.summary.rows(), 3);
    EXPECT_EQ(fileDigest(original()), m_before);
    EXPECT_FALSE(jet::isJetFile(path()));
}

TEST_F(InPlace, StoreIsNotConvertedAgain)
{
    if (!prepare("V2003_with-password.mdb"))
        GTEST_SKIP();
    convertInPlace(path(), {}, testImportOptions());
    QFile::remove(original());
    const QByteArray store = fileDigest(path());
    try {
        convertInPlace(path(), {}, testImportOptions());
        FAIL() << "no error";
    } catch (const jet::ImportError &error) {
        EXPECT_TRUE(messages::errorText(error).endsWith(QStringLiteral("— не база данных Jet"))) << error.what();
    }
    EXPECT_EQ(fileDigest(path()), store);
}

TEST(JetSignature, TellsJetFilesFromOthers)
{
    REQUIRE_FIXTURE("indexTestV2003.mdb");
    EXPECT_TRUE(jet::isJetFile(fixture("indexTestV2003.mdb")));
    EXPECT_TRUE(jet::isJetFile(fixture("compIndexTestV2000.mdb")));
    EXPECT_FALSE(jet::isJetFile(QStringLiteral("/nonexistent/history.dat")));
    ScratchStore store;
    {
        jet::StoreWriter writer(store.path());
        writer.finish();
    }
    EXPECT_FALSE(jet::isJetFile(store.path()));
    QFile shortFile(store.folder() + QStringLiteral("/short"));
    ASSERT_TRUE(shortFile.open(QIODevice::WriteOnly));
    shortFile.write(QByteArray("\x00\x01\x00\x00Standard Jet", 16));
    shortFile.close();
    EXPECT_FALSE(jet::isJetFile(shortFile.fileName()));
}

TEST(ConversionTexts, NameTheFileAndWhereTheOriginalIs)
{
    EXPECT_EQ(messages::conversionDoneText(QStringLiteral("/somewhere/history.dat"),
                                           QStringLiteral("/somewhere/history.dat.jet")),
              QStringLiteral("База данных history.dat преобразована в новый формат. "
                             "Исходный файл сохранён как history.dat.jet."));
    EXPECT_EQ(messages::conversionFailedText(QStringLiteral("history.dat"),
                                             jet::ImportError(jet::ImportError::Kind::CatalogUnreadable)),
              QStringLiteral("Не удалось преобразовать базу данных history.dat в новый формат: список таблиц не "
                             "читается (файл повреждён). Файл history.dat не изменён."));
}

} // namespace
