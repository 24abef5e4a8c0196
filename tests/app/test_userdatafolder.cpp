// Started from the menu, the program works in the user's data folder, made on first start.
#include "tests/app/boxrecorder.h"
#include "store/provisioning/datafilechecks.h"
#include "messages/errortext.h"
#include "tests/support/scratchfolder.h"
#include "app/userdatafolder.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using Kind = app::MessageBoxes::Kind;

namespace {

class UserDataFolder : public testing::Test {
protected:
    UserDataFolder() { qputenv("XDG_DATA_HOME", home.path(u"data"_s).toLocal8Bit()); }
    ~UserDataFolder() override
    {
        if (previous.isNull())
            qunsetenv("XDG_DATA_HOME");
        else
            qputenv("XDG_DATA_HOME", previous);
    }

    QString folder() const { return home.path(u"data/zelvik"_s); }
    bool isCurrent(const QString &path) const { return QDir::current().canonicalPath() == QDir(path).canonicalPath(); }

    QByteArray previous = qgetenv("XDG_DATA_HOME");
    DataFolder home{DataFolder::Nothing}; // the current folder until the test enters another
    BoxRecorder boxes;
};

TEST_F(UserDataFolder, FirstStartMakesItWithTheSampleDataAndSaysSoOnce)
{
    ASSERT_TRUE(app::enterUserDataFolder());
    EXPECT_TRUE(isCurrent(folder()));
    EXPECT_TRUE(messages::missingDataFileMessages().isEmpty());
    EXPECT_GT(QFileInfo(u"history.dat"_s).size(), 0);
    ASSERT_EQ(boxes.shown().size(), 1);
    EXPECT_EQ(boxes.shown().first().kind, Kind::Information);
    EXPECT_TRUE(boxes.shown().first().text.contains(folder())) << boxes.shown().first().text.toStdString();

    QDir::setCurrent(home.path(u"."_s));
    ASSERT_TRUE(app::enterUserDataFolder());
    EXPECT_TRUE(isCurrent(folder()));
    EXPECT_EQ(boxes.shown().size(), 1);
}

TEST_F(UserDataFolder, AFolderWithOneDataFileIsLeftToTheUsualCheck)
{
    ASSERT_TRUE(QDir().mkpath(folder()));
    home.write(u"data/zelvik/db.dat"_s, {});
    ASSERT_TRUE(app::enterUserDataFolder());
    EXPECT_TRUE(isCurrent(folder()));
    EXPECT_FALSE(QFileInfo::exists(u"history.dat"_s));
    EXPECT_TRUE(boxes.shown().isEmpty());
    EXPECT_EQ(messages::missingDataFileMessages().size(), 1);
}

TEST_F(UserDataFolder, AFolderThatCannotBeMadeIsReportedAndStopsTheStart)
{
    home.write(u"data"_s, "a file where the folder should be");
    EXPECT_FALSE(app::enterUserDataFolder());
    EXPECT_TRUE(isCurrent(home.path(u"."_s)));
    ASSERT_EQ(boxes.shown().size(), 1);
    EXPECT_EQ(boxes.shown().first().kind, Kind::Error);
    EXPECT_TRUE(boxes.shown().first().text.contains(folder())) << boxes.shown().first().text.toStdString();
}

} // namespace
