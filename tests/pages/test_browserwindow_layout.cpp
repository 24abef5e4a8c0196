// The update and help windows as built, before they are ever opened.
#include "pages/browserhost.h"
#include "pages/helpwindow.h"
#include "tests/pages/loadedlibraries.h"
#include "pages/updatewindow.h"
#include "tests/pages/windowparts.h"

#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

#include <cstdlib>

using pages::HelpWindow;
using pages::UpdateWindow;

namespace {

void expectFixedDialogFrame(const QDialog &window)
{
    const Qt::WindowFlags flags = window.windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::WindowSystemMenuHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowContextHelpButtonHint));
    EXPECT_EQ(window.minimumSize(), window.maximumSize());
}

void expectFont(const QWidget *widget, const char *family, int pixels, bool bold)
{
    EXPECT_EQ(widget->font().family(), QLatin1String(family)) << qPrintable(widget->objectName());
    EXPECT_EQ(widget->font().pixelSize(), pixels) << qPrintable(widget->objectName());
    EXPECT_EQ(widget->font().bold(), bold) << qPrintable(widget->objectName());
}

// At its designed place, or centred on it and wide enough when the stand-in font is wider.
void expectHeadingAt(const QLabel *label, const QRect &designed)
{
    const QRect place = label->geometry();
    EXPECT_EQ(place.top(), designed.top());
    EXPECT_EQ(place.height(), designed.height());
    EXPECT_LE(std::abs(place.center().x() - designed.center().x()), 1);
    EXPECT_GE(place.width(), designed.width());
    EXPECT_GE(place.width(), label->sizeHint().width());
}

// The controls that Tab visits, in order, starting from the window.
QWidgetList tabOrder(QWidget &window)
{
    QWidgetList order;
    for (QWidget *w = window.nextInFocusChain(); w != &window; w = w->nextInFocusChain()) {
        if (w->focusPolicy() & Qt::TabFocus)
            order.append(w);
    }
    return order;
}

} // namespace

TEST(UpdateWindowLayout, MatchesTheDesign)
{
    UpdateWindow window;
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Обновление базы данных"));
    EXPECT_EQ(window.size(), QSize(457, 249));
    expectFixedDialogFrame(window);

    auto *label = child<QLabel>(window, "heading");
    auto *browser = child<pages::BrowserHost>(window, "browser");
    auto *ok = child<QPushButton>(window, "okButton");
    auto *cancel = child<QPushButton>(window, "cancelButton");
    ASSERT_TRUE(label && browser && ok && cancel);

    expectHeadingAt(label, QRect(168, 8, 119, 25));
    EXPECT_EQ(label->text(), QStringLiteral("Обновление"));
    expectFont(label, "Tahoma", 21, false);
    EXPECT_EQ(browser->geometry(), QRect(8, 44, 441, 150));
    EXPECT_EQ(ok->geometry(), QRect(132, 208, 75, 25));
    EXPECT_EQ(ok->text(), QStringLiteral("OK"));
    expectFont(ok, "Arial", 12, true);
    EXPECT_EQ(cancel->geometry(), QRect(244, 208, 75, 25));
    EXPECT_EQ(cancel->text(), QStringLiteral("Отмена"));
    expectFont(cancel, "Arial", 12, true);
}

TEST(UpdateWindowLayout, TabOrderIsBrowserThenOkThenCancel)
{
    UpdateWindow window;
    EXPECT_EQ(tabOrder(window), (QWidgetList{browserOf(window), okButtonOf(window), cancelButtonOf(window)}));
}

TEST(UpdateWindowLayout, ShowsTheProgramsUpdatePageUnlessGivenAnother)
{
    EXPECT_EQ(UpdateWindow().updatePage(), QUrl(QStringLiteral("http://update.zelvik.example/update.html")));
    const QUrl local(QStringLiteral("http://127.0.0.1:8080/update.html"));
    EXPECT_EQ(UpdateWindow(local).updatePage(), local);
}

TEST(HelpWindowLayout, MatchesTheDesign)
{
    HelpWindow window;
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Помощь"));
    EXPECT_EQ(window.size(), QSize(497, 289));
    expectFixedDialogFrame(window);

    auto *label = child<QLabel>(window, "heading");
    auto *browser = child<pages::BrowserHost>(window, "browser");
    auto *ok = child<QPushButton>(window, "okButton");
    ASSERT_TRUE(label && browser && ok);

    expectHeadingAt(label, QRect(144, 8, 187, 25));
    EXPECT_EQ(label->text(), QStringLiteral("Служба поддержки"));
    expectFont(label, "Tahoma", 21, false);
    EXPECT_EQ(browser->geometry(), QRect(8, 40, 481, 205));
    EXPECT_EQ(ok->geometry(), QRect(200, 256, 75, 25));
    EXPECT_EQ(ok->text(), QStringLiteral("OK"));
    expectFont(ok, "MS Sans Serif", 11, true);
    EXPECT_EQ(tabOrder(window), (QWidgetList{browserOf(window), okButtonOf(window)}));
}

TEST(BrowserWindows, CreatingThemLoadsNoBrowserEngine)
{
    // Both windows are built at start-up; the engine must wait until one of them is opened.
    UpdateWindow update;
    HelpWindow help;
    EXPECT_EQ(browserOf(update)->view(), nullptr);
    EXPECT_EQ(browserOf(help)->view(), nullptr);
    EXPECT_FALSE(libraryLoaded(QStringLiteral("libQt6WebEngineCore")));
    EXPECT_FALSE(libraryLoaded(QStringLiteral("zelvik_browser")));
}
