// The help window's built-in page.
#include "pages/browserhost.h"
#include "pages/helpwindow.h"
#include "tests/pages/pagewaiting.h"
#include "pages/siteaddresses.h"
#include "tests/pages/windowparts.h"

#include <QPushButton>
#include <QSignalSpy>

#include <gtest/gtest.h>

using pages::HelpWindow;

namespace {

class HelpWindowPage : public testing::Test
{
protected:
    HelpWindowPage() : loads(browserOf(window), &pages::BrowserHost::loadFinished)
    {
        window.setErrorSink([this](const QString &text) { errors.append(text); });
    }
    bool openAndWait()
    {
        const int before = loads.count();
        window.open();
        return waitUntil([&] { return loads.count() > before; }) && loads.last().at(0).toBool();
    }
    QString evaluate(const QString &script) { return ::evaluate(browserOf(window), script).toString(); }

    HelpWindow window;
    QSignalSpy loads;
    QStringList errors;
};

} // namespace

TEST_F(HelpWindowPage, ShowsTheSupportAddresses)
{
    ASSERT_TRUE(openAndWait());
    const QString site = QString::fromUtf16(pages::site::supportSite);
    const QString text = evaluate(QStringLiteral("document.body.innerText"));
    EXPECT_TRUE(text.contains(QStringLiteral("Служба поддержки: ") + site)) << qPrintable(text);
    EXPECT_TRUE(text.contains(QStringLiteral("Пользовательское соглашение: ") + site + QStringLiteral("rules.html")));
    EXPECT_TRUE(text.contains(QStringLiteral("Служба поддержки: ") + QString::fromUtf16(pages::site::supportEmail)));
    // Shown as text: nothing on the page leads anywhere.
    EXPECT_EQ(evaluate(QStringLiteral("String(document.links.length)")), QStringLiteral("0"));
}

TEST_F(HelpWindowPage, OpenedTwiceShowsTheSamePageWithoutNetwork)
{
    ASSERT_TRUE(openAndWait());
    const QString first = evaluate(QStringLiteral("document.documentElement.outerHTML"));
    okButtonOf(window)->click();
    EXPECT_FALSE(window.isVisible());

    ASSERT_TRUE(openAndWait());
    EXPECT_EQ(loads.count(), 2);
    EXPECT_EQ(evaluate(QStringLiteral("document.documentElement.outerHTML")), first);
    // Carried in its own address, and it asks for nothing else.
    EXPECT_EQ(evaluate(QStringLiteral("location.protocol")), QStringLiteral("data:"));
    EXPECT_EQ(evaluate(QStringLiteral("String(performance.getEntriesByType('resource').length)")), QStringLiteral("0"));
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(HelpWindowPage, LosesItsScrollBarsOnceLoaded)
{
    ASSERT_TRUE(openAndWait());
    EXPECT_EQ(evaluate(QStringLiteral("document.body.style.overflowX")), QStringLiteral("hidden"));
    EXPECT_EQ(evaluate(QStringLiteral("document.body.style.overflowY")), QStringLiteral("hidden"));
    EXPECT_TRUE(errors.isEmpty());
}
