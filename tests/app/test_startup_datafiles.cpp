#include "tests/app/mainwindowfixture.h"

using namespace Qt::StringLiterals;
using Kind = app::MessageBoxes::Kind;

namespace {

const QString dbMissing = u"Файл базы данных db.dat не найден!"_s;
const QString historyMissing = u"Файл привязок history.dat не найден!"_s;

class StartupDataFiles : public MainWindowTest {
protected:
    // Opens the window and tells whether it ended the program.
    bool openAndSeeIfItEnds()
    {
        openWindow();
        return programEnds();
    }
};

TEST_F(StartupDataFiles, BothFilesPresentLetTheProgramRun)
{
    EXPECT_FALSE(openAndSeeIfItEnds());
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(boxes.shown().isEmpty());
}

TEST_F(StartupDataFiles, MissingDbDatIsReportedAndEndsTheProgram)
{
    useFolder(DataFolder::HistoryDat);
    EXPECT_TRUE(openAndSeeIfItEnds());
    ASSERT_EQ(boxes.shown().size(), 1);
    const auto &box = boxes.shown().first();
    EXPECT_EQ(box.kind, Kind::Error);
    EXPECT_EQ(box.caption, u"Error"_s);
    EXPECT_EQ(box.text, dbMissing);
    EXPECT_TRUE(box.waitedForUser);
}

TEST_F(StartupDataFiles, MissingHistoryDatAloneWaitsForTheUser)
{
    useFolder(DataFolder::DbDat);
    EXPECT_TRUE(openAndSeeIfItEnds());
    ASSERT_EQ(boxes.shown().size(), 1);
    EXPECT_EQ(boxes.shown().first().text, historyMissing);
    EXPECT_TRUE(boxes.shown().first().waitedForUser);
}

TEST_F(StartupDataFiles, BothMissingOnlyTheFirstMessageWaits)
{
    useFolder(DataFolder::Nothing);
    EXPECT_TRUE(openAndSeeIfItEnds());
    ASSERT_EQ(boxes.texts(), QStringList({dbMissing, historyMissing}));
    EXPECT_TRUE(boxes.shown()[0].waitedForUser);
    // The second box was really opened, and closed by itself without anyone answering it.
    EXPECT_FALSE(boxes.shown()[1].waitedForUser);
    EXPECT_EQ(boxes.shown()[1].caption, u"Error"_s);
    EXPECT_EQ(boxes.shown()[1].answer, QMessageBox::Ok);
}

TEST_F(StartupDataFiles, DirectoriesNamedLikeTheFilesDoNotCount)
{
    useFolder(DataFolder::Nothing);
    folder->makeDirectory(u"db.dat"_s);
    folder->makeDirectory(u"history.dat"_s);
    EXPECT_TRUE(openAndSeeIfItEnds());
    EXPECT_EQ(boxes.texts(), QStringList({dbMissing, historyMissing}));
}

TEST_F(StartupDataFiles, CheckRunsOnlyOnce)
{
    openWindow();
    activate();
    folder->remove(u"db.dat"_s);

    // Back from a modal box, hidden and shown again, re-activated: no second check.
    form->findChild<QAction *>(u"connectionAction"_s)->trigger();
    form->hide();
    form->show();
    activate();
    settle();
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(boxes.texts(), QStringList{u"Других баз данных не найдено."_s});
}

} // namespace
