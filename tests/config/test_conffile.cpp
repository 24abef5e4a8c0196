#include "tests/config/conffailure.h"
#include "tests/support/scratchfolder.h"
#include "config/conffile.h"
#include "tests/app/qtprinting.h"

#include "text/cp1251.h"

#include <QFile>
#include <gtest/gtest.h>

using config::readConfFile;
using namespace Qt::StringLiterals;

namespace {

QByteArray win1251(const QString &text)
{
    return cp1251::encode(text).value();
}

struct FirstLineCase {
    const char *name;
    QByteArray bytes;
    QString region;
};

void PrintTo(const FirstLineCase &c, std::ostream *out)
{
    *out << c.name;
}

class RegionFromFile : public ::testing::TestWithParam<FirstLineCase> {};

TEST_P(RegionFromFile, FollowsTheFirstLine)
{
    DataFolder folder(DataFolder::Nothing);
    folder.write(QStringLiteral("conf.cfg"), GetParam().bytes);
    const config::ConfFile config = readConfFile();
    EXPECT_FALSE(config.failed()) << failureText(config);
    EXPECT_EQ(config.region, GetParam().region);
    // The bytes alone say the same.
    EXPECT_EQ(config::parseConfFile(GetParam().bytes).region, GetParam().region);
}

const QString moscow = QStringLiteral("Москва");

INSTANTIATE_TEST_SUITE_P(
    ConfCfg, RegionFromFile,
    ::testing::Values(
        FirstLineCase{"region_in_1251", "bd=" + win1251(moscow), moscow},
        FirstLineCase{"region_then_newline", "bd=" + win1251(moscow) + "\n", moscow},
        FirstLineCase{"prefix_alone", "bd=", QString()},
        FirstLineCase{"prefix_in_capitals", "BD=" + win1251(moscow), QString()},
        FirstLineCase{"no_prefix", win1251(moscow), QString()},
        FirstLineCase{"two_characters", "bd", QString()},
        FirstLineCase{"empty_line", "\nbd=" + win1251(moscow), QString()},
        FirstLineCase{"empty_file", "", QString()},
        FirstLineCase{"second_line_ignored", "bd=" + win1251(moscow) + "\nbd=" + win1251(u"Тула"_s), moscow},
        FirstLineCase{"second_line_not_a_fallback", "x\nbd=" + win1251(moscow), QString()},
        FirstLineCase{"crlf_ending", "bd=" + win1251(moscow) + "\r\nbd=x", moscow},
        FirstLineCase{"lone_cr_dropped", "bd=" + win1251(u"Мос"_s) + "\r" + win1251(u"ква"_s) + "\nz", moscow},
        FirstLineCase{"byte_order_mark", "\xEF\xBB\xBF" "bd=" + moscow.toUtf8(), QString()},
        FirstLineCase{"utf8_region", "bd=" + moscow.toUtf8() + "\n", moscow},
        FirstLineCase{"ascii_region", "bd=Tver 2\n", QStringLiteral("Tver 2")},
        FirstLineCase{"spaces_kept", "bd= " + win1251(moscow) + " ", u" Москва "_s},
        FirstLineCase{"yo_in_1251", "bd=" + win1251(u"Орёл"_s), u"Орёл"_s},
        FirstLineCase{"second_prefix_is_text", "bd=bd=" + win1251(moscow), u"bd=Москва"_s}),
    [](const ::testing::TestParamInfo<FirstLineCase> &info) { return std::string(info.param.name); });

TEST(RegionConfig, MissingFileGivesEmptyRegionAndNoError)
{
    DataFolder folder(DataFolder::Nothing);
    const config::ConfFile config = readConfFile();
    EXPECT_FALSE(config.failed());
    EXPECT_TRUE(config.region.isEmpty());
    EXPECT_TRUE(config.server().isEmpty());
}

TEST(RegionConfig, DirectoryNamedConfCfgCountsAsAbsent)
{
    DataFolder folder(DataFolder::Nothing);
    folder.makeDirectory(QStringLiteral("conf.cfg"));
    const config::ConfFile config = readConfFile();
    EXPECT_FALSE(config.failed()) << failureText(config);
    EXPECT_TRUE(config.region.isEmpty());
}

// The later lines: "server=" names the store's server.

struct LaterLineCase {
    const char *name;
    QByteArray bytes;
    QString server;
};

void PrintTo(const LaterLineCase &c, std::ostream *out)
{
    *out << c.name;
}

class ServerFromFile : public ::testing::TestWithParam<LaterLineCase> {};

TEST_P(ServerFromFile, FollowsTheFirstLaterLineOfTheKey)
{
    DataFolder folder(DataFolder::Nothing);
    folder.write(QStringLiteral("conf.cfg"), GetParam().bytes);
    const config::ConfFile config = readConfFile();
    EXPECT_FALSE(config.failed()) << failureText(config);
    EXPECT_EQ(config.server(), GetParam().server);
    EXPECT_EQ(config::parseConfFile(GetParam().bytes).server(), GetParam().server);
}

INSTANTIATE_TEST_SUITE_P(
    ConfCfg, ServerFromFile,
    ::testing::Values(
        LaterLineCase{"second_line", "bd=x\nserver=host=db port=5432 dbname=zelvik\n", u"host=db port=5432 dbname=zelvik"_s},
        LaterLineCase{"without_final_newline", "bd=x\nserver=host=db", u"host=db"_s},
        LaterLineCase{"after_other_lines", "bd=x\n\nnote\nserver=host=db\n", u"host=db"_s},
        LaterLineCase{"crlf_ending", "bd=x\r\nserver=host=db\r\n", u"host=db"_s},
        LaterLineCase{"lone_cr_dropped", "bd=x\nserver=host=d\rb\n", u"host=db"_s},
        LaterLineCase{"spaces_trimmed", "bd=x\nserver=  host=db \t\n", u"host=db"_s},
        LaterLineCase{"uri", "bd=x\nserver=postgresql://db/zelvik?sslmode=require\n", u"postgresql://db/zelvik?sslmode=require"_s},
        LaterLineCase{"utf8_value", "bd=x\nserver=host=db application_name=" + u"Офис"_s.toUtf8(), u"host=db application_name=Офис"_s},
        LaterLineCase{"first_of_two_wins", "bd=x\nserver=host=a\nserver=host=b\n", u"host=a"_s},
        LaterLineCase{"empty_first_wins", "bd=x\nserver=\nserver=host=b\n", QString()},
        LaterLineCase{"first_line_is_the_region", "server=host=db\n", QString()},
        LaterLineCase{"first_line_only_the_region", "server=host=db\nbd=x\n", QString()},
        LaterLineCase{"capitals_are_another_key", "bd=x\nSERVER=host=db\n", QString()},
        LaterLineCase{"leading_space_is_another_key", "bd=x\n server=host=db\n", QString()},
        LaterLineCase{"none", "bd=x\n", QString()},
        LaterLineCase{"empty_file", "", QString()}),
    [](const ::testing::TestParamInfo<LaterLineCase> &info) { return std::string(info.param.name); });

TEST(ConfFile, KeepsEveryLaterKeyOnceInTheFileOrder)
{
    const config::ConfFile config = config::parseConfFile("bd=x\nb=2\nnote\n=orphan\na=1\nb=3\nc==d\n");
    const QList<std::pair<QByteArray, QString>> expected{{"b", u"2"_s}, {"a", u"1"_s}, {"c", u"=d"_s}};
    EXPECT_EQ(config.settings, expected);
    EXPECT_EQ(config.value("b"), u"2"_s);
    EXPECT_EQ(config.value("missing"), QString());
}

// The waits: seconds above 0 and up to a day; a line that holds anything else stops the file's use.
TEST(ConfFile, WaitsAreSecondsAboveNothingUpToADay)
{
    using std::chrono::milliseconds;
    const config::ConfFile unset = config::parseConfFile("bd=x\nserver_timeout=\n");
    EXPECT_FALSE(unset.failed());
    EXPECT_EQ(unset.serverTimeout(), config::kServerTimeout);
    EXPECT_EQ(unset.replicaTimeout(), config::kReplicaTimeout);
    const config::ConfFile set = config::parseConfFile("bd=x\nserver_timeout=0.25\nreplica_timeout= 86400 \n");
    EXPECT_EQ(set.serverTimeout(), milliseconds(250));
    EXPECT_EQ(set.replicaTimeout(), milliseconds(86400000));
    for (const QByteArray bad : {"0", "-1", "2,5", "3s", "86401", "nan", "inf", "1e12"}) {
        const config::ConfFile refused = config::parseConfFile("bd=x\nserver=host=db\nreplica_timeout=" + bad);
        ASSERT_TRUE(refused.failed()) << bad.constData();
        EXPECT_EQ(refused.error->kind, config::ConfFileError::Kind::BadSeconds);
        EXPECT_EQ(refused.error->details, (QStringList{u"replica_timeout"_s, QString::fromLatin1(bad)}));
        EXPECT_TRUE(refused.server().isEmpty());
    }
}

// The writer: the bytes init and the data folder's creation write.

// The code page is a table of the program's own (the Windows build's Qt has no ICU to ask): every
// byte reads as one character and writes back as itself, and the letters sit where Windows has them.
TEST(Windows1251, EveryByteReadsAsOneCharacterAndWritesBackAsItself)
{
    QByteArray page;
    for (int b = 0; b < 256; ++b)
        page.append(char(b));
    const QString text = cp1251::decode(page);
    ASSERT_EQ(text.size(), 256);
    // 0x98, the one byte the page leaves undefined, reads as U+FFFD, which writes as no byte.
    EXPECT_EQ(text[0x98], QChar::ReplacementCharacter);
    EXPECT_EQ(cp1251::undefinedByte(page), 0x98);
    EXPECT_EQ(cp1251::encode(QString(text).remove(0x98, 1)), QByteArray(page).remove(0x98, 1));
    EXPECT_EQ(text.mid(0xC0, 2) + text.mid(0xFE, 2) + text[0xA8] + text[0xB8] + text[0xB9], u"АБюяЁё№"_s);
    EXPECT_EQ(cp1251::encode(u"Ǆ"_s), std::nullopt);
}

TEST(ConfFileBytes, RegionAloneIsOneLineInWindows1251)
{
    config::ConfFile config;
    config.region = moscow;
    EXPECT_EQ(config::confFileBytes(config), "bd=" + win1251(moscow) + "\n");
    EXPECT_EQ(config::confFileBytes(config::ConfFile()), QByteArray("bd=\n"));
}

TEST(ConfFileBytes, ServerFollowsTheRegionInUtf8)
{
    config::ConfFile config;
    config.region = u"Офис"_s;
    config.setValue("server", u"host=db application_name=Офис"_s);
    EXPECT_EQ(config::confFileBytes(config),
              "bd=\xce\xf4\xe8\xf1\nserver=host=db application_name=" + u"Офис"_s.toUtf8() + "\n");
    config.region.clear();
    EXPECT_EQ(config::confFileBytes(config), "bd=\nserver=host=db application_name=" + u"Офис"_s.toUtf8() + "\n");
}

TEST(ConfFileBytes, SettingAKeyAgainReplacesItsValue)
{
    config::ConfFile config;
    config.setValue("server", u"host=a"_s);
    config.setValue("server", u"host=b"_s);
    EXPECT_EQ(config::confFileBytes(config), QByteArray("bd=\nserver=host=b\n"));
}

TEST(ConfFileBytes, RegionThatIsNotOneLineOfWindows1251IsRefused)
{
    for (const QString &region : {u"東京"_s, u"Мос\nква"_s, u"Мос\rква"_s}) {
        config::ConfFile config;
        config.region = region;
        EXPECT_EQ(config::confFileBytes(config), std::nullopt) << region.toStdString();
    }
}

TEST(ConfFileBytes, ReadBackSayTheSame)
{
    config::ConfFile written;
    written.region = u"Орёл"_s;
    written.setValue("server", u"host=db dbname=zelvik"_s);
    DataFolder folder(DataFolder::Nothing);
    folder.write(QStringLiteral("conf.cfg"), config::confFileBytes(written).value());
    const config::ConfFile read = readConfFile();
    EXPECT_FALSE(read.failed()) << failureText(read);
    EXPECT_EQ(read.region, written.region);
    EXPECT_EQ(read.server(), written.server());
    EXPECT_EQ(read.settings, written.settings);
}

} // namespace
