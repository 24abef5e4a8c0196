// Where the update and help windows open, and what closes them (the menu tests press their buttons).
#include "pages/browserhost.h"
#include "pages/helpwindow.h"
#include "tests/pages/pagewaiting.h"
#include "tests/pages/testhttpserver.h"
#include "pages/updatewindow.h"
#include "tests/pages/windowparts.h"

#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

using pages::HelpWindow;
using pages::UpdateWindow;

namespace {

// Opens the window over a main window off to one side: it must still come up in the middle of the screen.
void expectOpensCentredOnTheScreen(pages::BrowserDialog &window, QWidget &owner)
{
    owner.setGeometry(10, 10, 200, 100);
    owner.show();
    QSignalSpy loads(browserOf(window), &pages::BrowserHost::loadFinished);
    window.open();
    EXPECT_TRUE(window.isModal());
    const QPoint offset = window.screen()->availableGeometry().center() - window.frameGeometry().center();
    EXPECT_LE(offset.manhattanLength(), 2) << offset.x() << "," << offset.y();
    EXPECT_TRUE(waitUntil([&] { return loads.count() > 0; }));
}

} // namespace

TEST(BrowserWindowPlacement, UpdateWindowOpensCentredOnTheScreen)
{
    QWidget owner;
    UpdateWindow window(TestHttpServer::unreachableAddress(QStringLiteral("/update.html")), &owner);
    expectOpensCentredOnTheScreen(window, owner);
}

TEST(BrowserWindowPlacement, HelpWindowOpensCentredOnTheScreen)
{
    QWidget owner;
    HelpWindow window(&owner);
    expectOpensCentredOnTheScreen(window, owner);
}

TEST(BrowserWindowClosing, EscapeDoesNotCloseTheUpdateWindow)
{
    UpdateWindow window(TestHttpServer::unreachableAddress(QStringLiteral("/update.html")));
    window.open();
    okButtonOf(window)->setFocus();
    QTest::keyClick(okButtonOf(window), Qt::Key_Escape);
    EXPECT_TRUE(window.isVisible());
    cancelButtonOf(window)->click();
    EXPECT_FALSE(window.isVisible());
}
