// Opening and closing the update and help windows.
#include "browserhost.h"
#include "helpwindow.h"
#include "pagewaiting.h"
#include "testhttpserver.h"
#include "updatewindow.h"

#include <QGuiApplication>
#include <QScreen>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

void expectCentredOnScreen(const QWidget &window)
{
    const QPoint screenCentre = window.screen()->availableGeometry().center();
    const QPoint windowCentre = window.frameGeometry().center();
    EXPECT_LE((screenCentre - windowCentre).manhattanLength(), 2)
        << screenCentre.x() << "," << screenCentre.y() << " vs " << windowCentre.x() << "," << windowCentre.y();
}

bool settle(pages::BrowserDialog &window)
{
    QSignalSpy loads(window.WebBrowser1, &pages::BrowserHost::loadFinished);
    return waitUntil([&] { return loads.count() > 0; });
}

} // namespace

TEST(UpdateWindowOpenClose, OkAndCancelBothClose)
{
    TestHttpServer server;
    server.serve(QStringLiteral("/update.html"), "text/html", "<html><body>x</body></html>");
    QWidget owner;
    owner.setGeometry(10, 10, 200, 100);
    owner.show();
    TForm4 window(server.address(QStringLiteral("/update.html")), &owner);

    window.open();
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(window.isModal());
    expectCentredOnScreen(window);
    ASSERT_TRUE(settle(window));
    window.Button1->click();
    EXPECT_FALSE(window.isVisible());

    window.open();
    EXPECT_TRUE(window.isVisible());
    window.Button2->click();
    EXPECT_FALSE(window.isVisible());
}

TEST(UpdateWindowOpenClose, EscapeDoesNotClose)
{
    TForm4 window(TestHttpServer::unreachableAddress(QStringLiteral("/update.html")));
    window.open();
    window.Button1->setFocus();
    QTest::keyClick(window.Button1, Qt::Key_Escape);
    EXPECT_TRUE(window.isVisible());
}

TEST(HelpWindowOpenClose, OkCloses)
{
    TForm5 window;
    window.open();
    EXPECT_TRUE(window.isVisible());
    expectCentredOnScreen(window);
    ASSERT_TRUE(settle(window));
    ASSERT_NE(window.WebBrowser1->view(), nullptr);
    window.Button1->click();
    EXPECT_FALSE(window.isVisible());
}
