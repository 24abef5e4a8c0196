#include "tests/support/scratchfolder.h"
#include "config/regionconfig.h"
#include "tests/app/qtprinting.h"

#include "text/cp1251.h"

#include <QFile>
#include <gtest/gtest.h>

#include <sys/stat.h>

using app::readRegionConfig;
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
    const app::RegionConfig config = readRegionConfig();
    EXPECT_FALSE(config.failed()) << config.error.toStdString();
    EXPECT_EQ(config.region, GetParam().region);
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
    const app::RegionConfig config = readRegionConfig();
    EXPECT_FALSE(config.failed());
    EXPECT_TRUE(config.region.isEmpty());
}

TEST(RegionConfig, DirectoryNamedConfCfgCountsAsAbsent)
{
    DataFolder folder(DataFolder::Nothing);
    folder.makeDirectory(QStringLiteral("conf.cfg"));
    const app::RegionConfig config = readRegionConfig();
    EXPECT_FALSE(config.failed()) << config.error.toStdString();
    EXPECT_TRUE(config.region.isEmpty());
}

TEST(RegionConfig, PipeNamedConfCfgCountsAsAbsentWithoutWaitingForAWriter)
{
    DataFolder folder(DataFolder::Nothing);
    ASSERT_EQ(mkfifo(folder.path(QStringLiteral("conf.cfg")).toLocal8Bit().constData(), 0666), 0);
    const app::RegionConfig config = readRegionConfig();
    EXPECT_FALSE(config.failed()) << config.error.toStdString();
    EXPECT_TRUE(config.region.isEmpty());
}

TEST(RegionConfig, DeviceNamedConfCfgCountsAsAbsent)
{
    // A line of /dev/zero never ends.
    DataFolder folder(DataFolder::Nothing);
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), folder.path(QStringLiteral("conf.cfg"))));
    const app::RegionConfig config = readRegionConfig();
    EXPECT_FALSE(config.failed()) << config.error.toStdString();
    EXPECT_TRUE(config.region.isEmpty());
}

TEST(RegionConfig, UnreadableFileIsAnInputOutputError)
{
    // Reading this file always fails, even for root, where permissions would not stop us.
    DataFolder folder(DataFolder::Nothing);
    ASSERT_TRUE(QFile::link(QStringLiteral("/proc/self/mem"), folder.path(QStringLiteral("conf.cfg"))));
    const app::RegionConfig config = readRegionConfig();
    EXPECT_TRUE(config.failed());
    EXPECT_TRUE(config.error.contains(QStringLiteral("conf.cfg"))) << config.error.toStdString();
}

TEST(RegionCaptions, CarryTheRegion)
{
    EXPECT_EQ(app::windowCaption(u"Москва"_s), u"Zelvik - телефонный справочник (Москва)"_s);
    EXPECT_EQ(app::headingText(u"Москва"_s), u"Телефонный справочник - Москва"_s);
    EXPECT_EQ(app::windowCaption(QString()), u"Zelvik - телефонный справочник ()"_s);
    EXPECT_EQ(app::headingText(QString()), u"Телефонный справочник - "_s);
}

} // namespace
