#include "pages/aboutwindow.h"
#include "tests/pages/windowparts.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using pages::AboutWindow;

namespace {

QLabel *label(const AboutWindow &window, const char *name)
{
    auto *found = window.findChild<QLabel *>(QLatin1String(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

// Opens the window as the menu would, and makes it the active one so that keys reach it.
void openActive(AboutWindow &window)
{
    window.open();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
}

} // namespace

TEST(AboutWindow, MatchesTheDesign)
{
    AboutWindow window;
    EXPECT_EQ(window.windowTitle(), QStringLiteral("О программе Zelvik"));
    EXPECT_EQ(window.size(), QSize(367, 124));
    EXPECT_EQ(window.minimumSize(), window.maximumSize());
    const Qt::WindowFlags flags = window.windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::WindowSystemMenuHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowContextHelpButtonHint));

    const QLabel *image = label(window, "icon");
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->geometry(), QRect(16, 8, 32, 32));
    EXPECT_EQ(image->pixmap().size(), QSize(32, 32));

    struct Expected {
        const char *name;
        QPoint position;
        QString text;
    };
    const Expected expected[] = {
        {"productLabel", {64, 8}, QStringLiteral("Zelvik - телефонные справочники")},
        {"versionLabel", {64, 32}, QStringLiteral("Версия: 1.4.0")},
        {"creditLabel", {64, 56}, {}},
        {"dataCreditLabel", {64, 80}, {}},
        {"noticeLabel", {64, 104}, {}},
    };
    for (const Expected &e : expected) {
        const QLabel *l = label(window, e.name);
        ASSERT_NE(l, nullptr);
        EXPECT_EQ(l->pos(), e.position) << e.name;
        if (e.text.isEmpty()) {
            EXPECT_FALSE(l->text().isEmpty()) << e.name;
        } else {
            EXPECT_EQ(l->text(), e.text);
        }
        EXPECT_EQ(l->font().family(), QStringLiteral("Tahoma")) << e.name;
        EXPECT_EQ(l->font().pixelSize(), 11) << e.name;
        // Every line fits in the window.
        EXPECT_LE(l->geometry().right(), window.width()) << e.name;
        EXPECT_LE(l->geometry().bottom(), window.height()) << e.name;
    }

    const auto *ok = window.findChild<QPushButton *>(QStringLiteral("okButton"));
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->geometry(), QRect(280, 20, 75, 25));
    EXPECT_EQ(ok->text(), QStringLiteral("OK"));
}

TEST(AboutWindow, OkIsTheOnlyControlThatTakesTheFocus)
{
    AboutWindow window;
    for (const QWidget *w : window.findChildren<QWidget *>()) {
        if (w != okButtonOf(window)) {
            EXPECT_EQ(w->focusPolicy(), Qt::NoFocus) << qPrintable(w->objectName());
        }
    }
    EXPECT_NE(okButtonOf(window)->focusPolicy() & Qt::TabFocus, 0);
}

TEST(AboutWindow, OkHasTheFocusWhenOpened)
{
    AboutWindow window;
    openActive(window);
    EXPECT_EQ(QApplication::focusWidget(), okButtonOf(window));
}

TEST(AboutWindow, EscapeDoesNotCloseIt)
{
    AboutWindow window;
    openActive(window);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_TRUE(window.isVisible());
}

TEST(AboutWindow, EnterAndSpacePressOk)
{
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space}) {
        AboutWindow window;
        openActive(window);
        QTest::keyClick(QApplication::focusWidget(), key);
        EXPECT_FALSE(window.isVisible()) << key;
        EXPECT_EQ(window.result(), QDialog::Accepted) << key;
    }
}

TEST(AboutWindow, TheCloseBoxStillClosesIt)
{
    AboutWindow window;
    openActive(window);
    window.close();
    EXPECT_FALSE(window.isVisible());
}

TEST(AboutWindow, IsCentredOnTheMainWindow)
{
    QWidget owner;
    owner.setGeometry(40, 60, 700, 500);
    owner.show();
    AboutWindow window(&owner);
    for (int round = 0; round < 2; ++round) {
        window.open();
        // Within a pixel: halving an odd difference in size rounds.
        EXPECT_LE((window.frameGeometry().center() - owner.frameGeometry().center()).manhattanLength(), 2)
            << "round " << round;
        okButtonOf(window)->click();
        owner.move(owner.pos() + QPoint(100, 50));
    }
}
