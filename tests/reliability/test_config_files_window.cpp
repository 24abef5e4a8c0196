// conf.cfg and db.dat that cannot be read, or that are no regular files: start-up says so in an
// error box or goes on as without them, and never waits.
#include "tests/reliability/boxlog.h"
#include "tests/reliability/identity.h"
#include "tests/reliability/pipewatcher.h"
#include "tests/reliability/printing.h"
#include "tests/support/scratchfolder.h"
#include "tests/reliability/windowdriver.h"

#include "app/mainwindow.h"
#include "store/connection.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

class DataFilesWindow : public ::testing::Test {
protected:
    QString conf() const { return folder.path(QStringLiteral("conf.cfg")); }

    ScratchFolder folder;
    CurrentDirectory here{folder.path()};
    BoxLog boxes;
};

} // namespace

TEST_F(DataFilesWindow, UnreadableConfigIsReportedAndTheWindowWorks)
{
    folder.write(QStringLiteral("conf.cfg"), "bd=Москва\n");
    folder.setMode(QStringLiteral("conf.cfg"), {});
    identity::UnprivilegedFileAccess asUser;
    WindowDriver window;
    ASSERT_EQ(boxes.failures().size(), 1) << boxes.texts().join(u'\n').toStdString();
    EXPECT_TRUE(boxes.failures().first().contains(QStringLiteral("conf.cfg"))) << boxes.failures().first().toStdString();
    EXPECT_EQ(window.form().windowTitle(), QStringLiteral("Zelvik"));
    ASSERT_TRUE(window.isOpen());
    EXPECT_TRUE(window.find(QStringLiteral("Иванов")).startsWith(QStringLiteral("Найдено: ")));
    EXPECT_EQ(boxes.failures().size(), 1);
}

TEST_F(DataFilesWindow, UnreadableConfigNamingAServerIsReportedNotPassedOver)
{
    // The server's line is past the first: a failure to read it is reported all the same, once.
    folder.write(QStringLiteral("conf.cfg"), "bd=Москва\nserver=host=/nonexistent port=9 dbname=office\n");
    folder.setMode(QStringLiteral("conf.cfg"), {});
    identity::UnprivilegedFileAccess asUser;
    WindowDriver window;
    ASSERT_EQ(boxes.failures().size(), 1) << boxes.texts().join(u'\n').toStdString();
    EXPECT_TRUE(boxes.failures().first().startsWith(QStringLiteral("Не удалось прочитать файл conf.cfg: ")))
        << boxes.failures().first().toStdString();
    EXPECT_EQ(window.form().windowTitle(), QStringLiteral("Zelvik"));
    EXPECT_FALSE(window.form().connection().isServer());
}

TEST_F(DataFilesWindow, ConfigThatIsAPipeDoesNotHoldUpStartUp)
{
    makePipe(conf());
    PipeWatcher watcher(conf());
    WindowDriver window;
    EXPECT_FALSE(watcher.releasedAReader()) << "start-up waited for someone to write conf.cfg";
    EXPECT_TRUE(window.isOpen());
}

TEST_F(DataFilesWindow, ConfigThatIsADirectoryCountsAsNone)
{
    QDir(folder.path()).mkdir(QStringLiteral("conf.cfg"));
    WindowDriver window;
    EXPECT_TRUE(boxes.texts().isEmpty()) << boxes.texts().join(u'\n').toStdString();
    EXPECT_EQ(window.form().windowTitle(), QStringLiteral("Zelvik - телефонный справочник ()"));
}

TEST_F(DataFilesWindow, UnreadableDbDatIsNeverRead)
{
    folder.setMode(QStringLiteral("db.dat"), {});
    identity::UnprivilegedFileAccess asUser;
    WindowDriver window;
    EXPECT_TRUE(boxes.texts().isEmpty()) << boxes.texts().join(u'\n').toStdString();
    ASSERT_TRUE(window.isOpen());
    EXPECT_TRUE(window.find(QStringLiteral("Иванов")).startsWith(QStringLiteral("Найдено: ")));
}

TEST_F(DataFilesWindow, DbDatThatIsAPipeIsNeverOpened)
{
    QFile::remove(folder.path(QStringLiteral("db.dat")));
    makePipe(folder.path(QStringLiteral("db.dat")));
    PipeWatcher watcher(folder.path(QStringLiteral("db.dat")));
    WindowDriver window;
    EXPECT_FALSE(watcher.releasedAReader()) << "start-up waited for someone to write db.dat";
}
