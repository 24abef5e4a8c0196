// The window on both stores: a folder whose conf.cfg names a server behaves as a history.dat folder.
#include "tests/app/mainwindowfixture.h"
#include "tests/server/testdirectory.h"

#include "app/searchfieldnames.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

using namespace Qt::StringLiterals;

namespace {

// The window in a folder of a directory on the store.
class WindowInDirectory : public MainWindowTest {
protected:
    explicit WindowInDirectory(StoreKind kind)
        : directory(kind)
    {
        QDir::setCurrent(directory.folder()); // the fixture's own folder puts the old one back
    }
    void find()
    {
        QTest::mouseClick(child<QPushButton>("searchButton"), Qt::LeftButton);
        settle();
    }
    // Types the surname and searches until entries are shown (a search may invent none).
    int findSurname(const QString &surname)
    {
        child<QLineEdit>(app::kSearchFieldNames[0])->setFocus(Qt::MouseFocusReason);
        typeText(surname);
        for (int attempt = 0; attempt < 20; ++attempt) {
            find();
            if (grid()->model()->rowCount() > 0)
                break;
        }
        return grid()->model()->rowCount();
    }

    TestDirectory directory;
};

class WindowOnStores : public WindowInDirectory, public ::testing::WithParamInterface<StoreKind> {
protected:
    WindowOnStores()
        : WindowInDirectory(GetParam())
    {
    }
};

TEST_P(WindowOnStores, InventedEntriesAreShownAndFoundAgain)
{
    openWindow();
    activate();
    ASSERT_TRUE(boxes.shown().isEmpty()) << boxes.texts().join(u'\n').toStdString();
    EXPECT_EQ(form->connection().isServer(), GetParam() == StoreKind::Server);
    const int shown = findSurname(u"сидоров"_s);
    ASSERT_GT(shown, 0) << "no search invented an entry";
    EXPECT_EQ(messagePanel(), u"Найдено: "_s + QString::number(shown));
    for (int row = 0; row < shown; ++row)
        EXPECT_EQ(grid()->model()->index(row, 0).data().toString(), u"Сидоров"_s);
    find();
    EXPECT_EQ(grid()->model()->rowCount(), shown);
}

// A replica= that leads nowhere: every search is answered by the server, and the user is told once.
class WindowWithDownReplica : public WindowInDirectory {
protected:
    WindowWithDownReplica()
        : WindowInDirectory(StoreKind::Server)
    {
        QFile conf(directory.folder() + u"/conf.cfg"_s);
        if (!conf.open(QIODevice::Append) || conf.write("replica=host=/nonexistent port=5 dbname=office\n") <= 0)
            throw std::runtime_error("cannot add the replica line");
    }
};

TEST_F(WindowWithDownReplica, IsOneInformationBoxAndEverySearchIsAnswered)
{
    openWindow();
    activate();
    const int shown = findSurname(u"реплицына"_s);
    ASSERT_GT(shown, 0) << "no search invented an entry";
    find();
    EXPECT_EQ(grid()->model()->rowCount(), shown);
    ASSERT_EQ(boxes.shown().size(), 1) << boxes.texts().join(u'\n').toStdString();
    EXPECT_TRUE(boxes.shown().first().text.startsWith(u"Резервный сервер"_s)) << boxes.shown().first().text.toStdString();
}

TEST(WindowOnServer, UnreachableServerIsOneMessageNamingItAndEndsTheProgram)
{
    DataFolder folder(DataFolder::DbDat);
    folder.write(u"conf.cfg"_s, "bd=x\nserver=host=/nonexistent port=9 dbname=office password=secret\n");
    BoxRecorder boxes;
    app::MainWindow window;
    window.show();
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
    ASSERT_EQ(boxes.shown().size(), 1);
    const QString text = boxes.shown().first().text;
    EXPECT_TRUE(text.contains(u"host=/nonexistent port=9 dbname=office"_s)) << text.toStdString();
    EXPECT_FALSE(text.contains(u"secret"_s));
    EXPECT_FALSE(window.isVisible());
}

// A password in conf.cfg still works; the user is told once where it belongs, without seeing it.
// In the server= line or the replica= line.
TEST(WindowOnServer, APasswordInConfCfgIsOneInformationBoxAndTheWindowWorks)
{
    const TestDirectory directory(StoreKind::Server);
    const QByteArray server = "bd=x\nserver=" + directory.server().toUtf8();
    for (const QByteArray &conf : {server + " password=secret\n", server + "\nreplica=" + directory.server().toUtf8() + " password=secret\n"}) {
        DataFolder folder(DataFolder::DbDat);
        folder.write(u"conf.cfg"_s, conf);
        BoxRecorder boxes;
        app::MainWindow window;
        window.show();
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
        ASSERT_EQ(boxes.shown().size(), 1) << conf.toStdString();
        const QString text = boxes.shown().first().text;
        EXPECT_TRUE(text.contains(u"~/.pgpass"_s)) << text.toStdString();
        EXPECT_FALSE(text.contains(u"secret"_s));
        EXPECT_TRUE(window.isVisible());
    }
}

} // namespace

INSTANTIATE_TEST_SUITE_P(Stores, WindowOnStores, bothStores(), storeName);

namespace {
bool everyFileIsShared(const QString &)
{
    return true;
}
} // namespace

TEST(WindowOnNetworkShare, SaysOnceThatSharingNeedsAServer)
{
    DataFolder folder;
    store::setNetworkShareProbe(everyFileIsShared);
    BoxRecorder boxes;
    {
        app::MainWindow window;
        window.show();
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
        window.activateWindow();
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
        EXPECT_TRUE(window.isVisible());
    }
    store::setNetworkShareProbe(nullptr);
    ASSERT_EQ(boxes.shown().size(), 1);
    EXPECT_EQ(boxes.shown().first().kind, app::MessageBoxes::Kind::Information);
    EXPECT_TRUE(boxes.shown().first().text.contains(u"нужен сервер"_s)) << boxes.shown().first().text.toStdString();
}
