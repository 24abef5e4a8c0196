#include "pages/helppage.h"
#include "pages/siteaddresses.h"

#include <gtest/gtest.h>

using pages::helpPageHtml;

TEST(HelpPage, IsTheSupportPageWithItsThreeValuesFilledIn)
{
    const QString expected = QStringLiteral(
        "<html><head><style type=\"text/css\">.a{font:15 Tehoma,Arial,sans-serif;background:#fff;color:#646161 }"
        "</style></head><body><div class=a>Служба поддержки: <strong>http://help.test/</strong><br><br>"
        "Пользовательское соглашение: <strong>http://help.test/rules.html</strong><br><br>"
        "Служба поддержки: <strong>desk@help.test</strong><br></html>");
    EXPECT_EQ(helpPageHtml(QStringLiteral("http://help.test/"), QStringLiteral("desk@help.test")), expected);
}

TEST(HelpPage, ValuesAreShownAsTextNotMarkup)
{
    const QString page = helpPageHtml(QStringLiteral("http://a.test/?x=<b>"), QStringLiteral("a&b@c.test"));
    EXPECT_TRUE(page.contains(QStringLiteral("http://a.test/?x=&lt;b&gt;rules.html")));
    EXPECT_TRUE(page.contains(QStringLiteral("a&amp;b@c.test")));
    EXPECT_FALSE(page.contains(QStringLiteral("<b>")));
}

TEST(HelpPage, PlaceholderLikeTextInAValueIsKept)
{
    const QString page = helpPageHtml(QStringLiteral("http://a.test/%2/"), QStringLiteral("mail@a.test"));
    EXPECT_TRUE(page.contains(QStringLiteral("<strong>http://a.test/%2/</strong>")));
    EXPECT_TRUE(page.contains(QStringLiteral("<strong>mail@a.test</strong>")));
}

TEST(HelpPage, UsesTheProgramsSupportAddresses)
{
    const QString site = QString::fromUtf16(pages::site::supportSite);
    const QString email = QString::fromUtf16(pages::site::supportEmail);
    EXPECT_EQ(helpPageHtml(), helpPageHtml(site, email));
}

TEST(SiteAddresses, SupportSiteIsAnHttpAddressEndingInSlash)
{
    const QString site = QString::fromUtf16(pages::site::supportSite);
    EXPECT_TRUE(site.startsWith(QStringLiteral("http://")));
    EXPECT_TRUE(site.endsWith(QLatin1Char('/')));
    EXPECT_TRUE(QUrl(site + QStringLiteral("rules.html")).isValid());
}

TEST(SiteAddresses, UpdatePageIsUpdateHtmlOnTheUpdateHost)
{
    const QUrl page = pages::site::updatePageAddress();
    EXPECT_EQ(page.scheme(), QStringLiteral("http"));
    EXPECT_EQ(page.host(), QString::fromUtf16(pages::site::updateHost));
    EXPECT_EQ(page.path(), QStringLiteral("/update.html"));
    EXPECT_EQ(page.toString(), QStringLiteral("http://") + page.host() + QStringLiteral("/update.html"));
}

TEST(SiteAddresses, UseReservedDocumentationNames)
{
    // Nobody may ever answer for these names, so the program cannot leak users to a stranger's server.
    EXPECT_TRUE(QString::fromUtf16(pages::site::updateHost).endsWith(QStringLiteral(".example")));
    EXPECT_TRUE(QUrl(QString::fromUtf16(pages::site::supportSite)).host().endsWith(QStringLiteral(".example")));
    EXPECT_TRUE(QString::fromUtf16(pages::site::supportEmail).endsWith(QStringLiteral("@zelvik.example")));
}
