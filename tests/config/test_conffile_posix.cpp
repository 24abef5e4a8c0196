// conf.cfg that is no plain file: a pipe, a device, a file no read can succeed on (Linux's own kinds).
#include "tests/config/conffailure.h"
#include "tests/support/scratchfolder.h"
#include "config/conffile.h"

#include <QFile>
#include <gtest/gtest.h>

#include <sys/stat.h>

using config::readConfFile;
using namespace Qt::StringLiterals;

TEST(RegionConfig, PipeNamedConfCfgCountsAsAbsentWithoutWaitingForAWriter)
{
    DataFolder folder(DataFolder::Nothing);
    ASSERT_EQ(mkfifo(folder.path(QStringLiteral("conf.cfg")).toLocal8Bit().constData(), 0666), 0);
    const config::ConfFile config = readConfFile();
    EXPECT_FALSE(config.failed()) << failureText(config);
    EXPECT_TRUE(config.region.isEmpty());
}

TEST(RegionConfig, DeviceNamedConfCfgCountsAsAbsent)
{
    // A line of /dev/zero never ends.
    DataFolder folder(DataFolder::Nothing);
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), folder.path(QStringLiteral("conf.cfg"))));
    const config::ConfFile config = readConfFile();
    EXPECT_FALSE(config.failed()) << failureText(config);
    EXPECT_TRUE(config.region.isEmpty());
}

TEST(RegionConfig, UnreadableFileIsAnInputOutputError)
{
    // Reading this file always fails, even for root, where permissions would not stop us.
    DataFolder folder(DataFolder::Nothing);
    ASSERT_TRUE(QFile::link(QStringLiteral("/proc/self/mem"), folder.path(QStringLiteral("conf.cfg"))));
    const config::ConfFile config = readConfFile();
    ASSERT_TRUE(config.failed());
    EXPECT_EQ(config.error->kind, config::ConfFileError::Kind::Unreadable);
    ASSERT_EQ(config.error->details.size(), 2);
    EXPECT_EQ(config.error->details[0], u"conf.cfg"_s);
    EXPECT_FALSE(config.error->details[1].isEmpty());
}

TEST(ConfFile, UnreadableFileGivesNeitherRegionNorServer)
{
    // The store a folder uses must not quietly fall back to history.dat: a caller sees the failure.
    DataFolder folder(DataFolder::Nothing);
    ASSERT_TRUE(QFile::link(QStringLiteral("/proc/self/mem"), folder.path(QStringLiteral("conf.cfg"))));
    const config::ConfFile config = readConfFile();
    ASSERT_TRUE(config.failed());
    EXPECT_TRUE(config.region.isEmpty());
    EXPECT_TRUE(config.server().isEmpty());
    EXPECT_TRUE(config.settings.isEmpty());
}

TEST(ConfFile, PathNamesTheFileInTheFailure)
{
    DataFolder folder(DataFolder::Nothing);
    folder.makeDirectory(QStringLiteral("sub"));
    ASSERT_TRUE(QFile::link(QStringLiteral("/proc/self/mem"), folder.path(QStringLiteral("sub/other.cfg"))));
    const config::ConfFile config = readConfFile(folder.path(QStringLiteral("sub/other.cfg")));
    ASSERT_TRUE(config.failed());
    EXPECT_EQ(config.error->details.value(0), u"other.cfg"_s);
}
