#include "browserhost.h"
#include "loadedlibraries.h"

#include <QLabel>
#include <QSignalSpy>
#include <QUrl>
#include <QVariant>

#include <gtest/gtest.h>

using pages::BrowserHost;

namespace {

const QString missingModule = QStringLiteral("/nonexistent/zelvik_browser");

} // namespace

TEST(BrowserHostFallback, StaysEmptyUntilAPageIsAskedFor)
{
    BrowserHost host(nullptr, missingModule);
    EXPECT_EQ(host.view(), nullptr);
    EXPECT_EQ(host.unavailableNotice(), nullptr);
}

TEST(BrowserHostFallback, WithoutTheModuleShowsANoticeInsteadOfThePage)
{
    BrowserHost host(nullptr, missingModule);
    QSignalSpy loads(&host, &BrowserHost::loadFinished);
    host.showHtml(QStringLiteral("<p>page</p>"));
    host.navigate(QUrl(QStringLiteral("http://127.0.0.1:9/")));

    EXPECT_EQ(host.view(), nullptr);
    ASSERT_NE(host.unavailableNotice(), nullptr);
    EXPECT_TRUE(host.unavailableNotice()->text().startsWith(QStringLiteral("Встроенный браузер недоступен.")));
    EXPECT_EQ(host.findChildren<QLabel *>().size(), 1);
    EXPECT_EQ(loads.count(), 0);
    EXPECT_FALSE(libraryLoaded(QStringLiteral("libQt6WebEngineCore")));
}

TEST(BrowserHostFallback, ScriptsGetNoValueAtOnce)
{
    BrowserHost host(nullptr, missingModule);
    host.showHtml(QStringLiteral("<p>page</p>"));
    bool answered = false;
    host.runScript(QStringLiteral("1 + 1"), [&](const QVariant &value) {
        answered = true;
        EXPECT_FALSE(value.isValid());
    });
    EXPECT_TRUE(answered);
}

TEST(BrowserHostFallback, ANonModuleFileIsRefusedWithAReason)
{
    QString problem;
    EXPECT_EQ(pages::loadBrowserModule(QStringLiteral("/etc/hostname"), &problem), nullptr);
    EXPECT_FALSE(problem.isEmpty());
}
