// The main window's menu commands open the about, update and help windows modally.
#include "pages/aboutwindow.h"
#include "pages/browserhost.h"
#include "pages/helpwindow.h"
#include "app/mainwindow.h"
#include "app/messagebox.h"
#include "tests/pages/pagewaiting.h"
#include "tests/pages/testhttpserver.h"
#include "pages/updatewindow.h"
#include "tests/pages/windowparts.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using pages::AboutWindow;
using pages::HelpWindow;
using pages::UpdateWindow;
using app::MainWindow;

namespace {

class MenuWindows : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dataDir.isValid());
        previousDir = QDir::currentPath();
        QDir::setCurrent(dataDir.path());
        for (const char *name : {"db.dat", "history.dat"}) {
            QFile file{QString::fromLatin1(name)};
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        }
        app::MessageBoxes::setAnswerer([](const app::MessageBoxes::Shown &) { return QMessageBox::Ok; });

        server.serve(QStringLiteral("/update.html"), "text/html", "<html><body>Обновление</body></html>");
        form1 = std::make_unique<MainWindow>();
        about = new AboutWindow(form1.get());
        update = new UpdateWindow(server.address(QStringLiteral("/update.html")), form1.get());
        help = new HelpWindow(form1.get());
        form1->setModalWindows(about, update, help);
        form1->show();
    }

    void TearDown() override
    {
        form1.reset();
        app::MessageBoxes::setAnswerer({});
        QDir::setCurrent(previousDir);
    }

    // Chooses the menu command and, once a modal window is up, hands it to dismiss. Returns that window;
    // the command itself returns only when the window has closed.
    QWidget *choose(const char *command, const std::function<void()> &dismiss)
    {
        QWidget *shown = nullptr;
        QTimer::singleShot(0, form1.get(), [&] {
            shown = QApplication::activeModalWidget();
            dismiss();
        });
        auto *action = form1->findChild<QAction *>(QLatin1String(command));
        if (!action)
            return nullptr;
        action->trigger();
        return shown;
    }

    static void waitForPage(pages::BrowserDialog *window)
    {
        QSignalSpy loads(browserOf(*window), &pages::BrowserHost::loadFinished);
        EXPECT_TRUE(waitUntil([&] { return loads.count() > 0; }));
    }

    QTemporaryDir dataDir;
    QString previousDir;
    TestHttpServer server;
    std::unique_ptr<MainWindow> form1;
    AboutWindow *about = nullptr;
    UpdateWindow *update = nullptr;
    HelpWindow *help = nullptr;
};

} // namespace

TEST_F(MenuWindows, AboutOpensModallyAndOkClosesIt)
{
    EXPECT_EQ(choose("aboutAction", [&] { okButtonOf(*about)->click(); }), about);
    EXPECT_FALSE(about->isVisible());
}

TEST_F(MenuWindows, UpdateOpensModallyWithItsPageAndBothButtonsCloseIt)
{
    EXPECT_EQ(choose("updateAction", [&] {
                  waitForPage(update);
                  okButtonOf(*update)->click();
              }),
              update);
    EXPECT_FALSE(update->isVisible());
    EXPECT_EQ(server.requests(QStringLiteral("/update.html")), 1);

    EXPECT_EQ(choose("updateAction", [&] {
                  waitForPage(update);
                  cancelButtonOf(*update)->click();
              }),
              update);
    EXPECT_FALSE(update->isVisible());
    EXPECT_EQ(server.requests(QStringLiteral("/update.html")), 2);
}

TEST_F(MenuWindows, HelpOpensModallyWithItsPageAndOkClosesIt)
{
    EXPECT_EQ(choose("helpAction", [&] {
                  waitForPage(help);
                  okButtonOf(*help)->click();
              }),
              help);
    EXPECT_FALSE(help->isVisible());
}
