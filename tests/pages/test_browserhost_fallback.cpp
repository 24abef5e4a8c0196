#include "pages/browserhost.h"
#include "tests/pages/loadedlibraries.h"

#include <QLabel>
#include <QSignalSpy>
#include <QTextBrowser>
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
    EXPECT_EQ(host.fallback(), nullptr);
}

TEST(BrowserHostFallback, WithoutTheModuleHtmlIsStillShownAndAnAddressIsExplained)
{
    BrowserHost host(nullptr, missingModule);
    QSignalSpy loads(&host, &BrowserHost::loadFinished);
    host.showHtml(QStringLiteral("<p>Служба <b>поддержки</b></p>"));
    EXPECT_EQ(host.view(), nullptr);
    auto *plain = qobject_cast<QTextBrowser *>(host.fallback());
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(plain->toPlainText(), QStringLiteral("Служба поддержки"));

    host.navigate(QUrl(QStringLiteral("http://127.0.0.1:9/")));
    auto *notice = qobject_cast<QLabel *>(host.fallback());
    ASSERT_NE(notice, nullptr);
    EXPECT_TRUE(notice->text().startsWith(QStringLiteral("Встроенный браузер не установлен"))) << qPrintable(notice->text());
    EXPECT_EQ(host.findChildren<QWidget *>(Qt::FindDirectChildrenOnly).size(), 1);
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
