// The QTextBrowser view, as builds without Qt WebEngine show the help and update pages, against pages
// served by the test itself on 127.0.0.1.
#include "pages/browserhost.h"
#include "pages/textbrowser/textbrowserview.h"
#include "tests/pages/loadedlibraries.h"
#include "tests/pages/pagewaiting.h"
#include "tests/pages/testhttpserver.h"
#include "text/cp1251.h"

#include <QBuffer>
#include <QImage>
#include <QPixmap>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTextDocument>

#include <gtest/gtest.h>

#include <functional>

namespace {

using namespace std::chrono_literals;

constexpr auto kTimeLimit = 500ms;

QByteArray windows1251(const QString &text)
{
    return cp1251::encode(text).value();
}

struct Served {
    const char *name;
    std::function<QUrl(TestHttpServer &)> serve; // the address the view is sent to
    bool loads;
    QStringList shown; // what the view then shows, among other text
};

QUrl page(TestHttpServer &server, const QByteArray &type, const QByteArray &body)
{
    server.serve(QStringLiteral("/update.html"), type, body);
    return server.address(QStringLiteral("/update.html"));
}

const Served kServed[] = {
    {"Utf8Page", [](TestHttpServer &s) { return page(s, "text/html; charset=utf-8", "<h1>Обновление</h1>"); },
     true, {QStringLiteral("Обновление")}},
    {"Windows1251NamedByTheServer",
     [](TestHttpServer &s) {
         return page(s, "text/html; charset=windows-1251", windows1251(QStringLiteral("<h1>Обновление</h1>")));
     },
     true, {QStringLiteral("Обновление")}},
    {"Windows1251NamedByThePage",
     [](TestHttpServer &s) {
         return page(s, "text/html",
                     windows1251(QStringLiteral("<html><head><meta http-equiv=\"Content-Type\" "
                                                "content=\"text/html; charset=windows-1251\"></head>"
                                                "<body>Обновление</body></html>")));
     },
     true, {QStringLiteral("Обновление")}},
    {"PlainTextAsItIs", [](TestHttpServer &s) { return page(s, "text/plain; charset=utf-8", "Обновление <b>"); },
     true, {QStringLiteral("Обновление <b>")}},
    {"Redirected",
     [](TestHttpServer &s) {
         page(s, "text/html; charset=utf-8", "<h1>Обновление</h1>");
         s.redirect(QStringLiteral("/old.html"), s.address(QStringLiteral("/update.html")));
         return s.address(QStringLiteral("/old.html"));
     },
     true, {QStringLiteral("Обновление")}},
    {"Missing", [](TestHttpServer &s) { return s.address(QStringLiteral("/missing.html")); }, false,
     {QStringLiteral("Страница недоступна"), QStringLiteral("Сервер ответил: 404 Not Found.")}},
    {"Refused", [](TestHttpServer &) { return TestHttpServer::unreachableAddress(QStringLiteral("/update.html")); },
     false, {QStringLiteral("Страница недоступна"), QStringLiteral("Сервер отклонил соединение.")}},
    {"Mute",
     [](TestHttpServer &s) {
         s.stayMute(QStringLiteral("/update.html"));
         return s.address(QStringLiteral("/update.html"));
     },
     false, {QStringLiteral("Страница недоступна"), QStringLiteral("Сервер не ответил за 0.5 с.")}},
};

void PrintTo(const Served &served, std::ostream *out)
{
    *out << served.name;
}

class TextBrowserPages : public testing::TestWithParam<Served> {};

} // namespace

TEST_P(TextBrowserPages, ShowWhatArrivedOrWhatHappened)
{
    TestHttpServer server;
    const QUrl address = GetParam().serve(server);
    TextBrowserView view(nullptr, kTimeLimit);
    QList<bool> loads;
    view.setLoadFinishedHandler([&](bool ok) { loads.append(ok); });

    view.navigate(address);
    ASSERT_TRUE(waitUntil([&] { return !loads.isEmpty(); }));
    EXPECT_EQ(loads, QList<bool>{GetParam().loads});
    const QString shown = view.toPlainText();
    for (const QString &part : GetParam().shown)
        EXPECT_TRUE(shown.contains(part)) << qPrintable(part) << " not in: " << qPrintable(shown);
    // A failure names the page as it was asked for.
    if (!GetParam().loads) {
        EXPECT_TRUE(shown.contains(address.toDisplayString())) << qPrintable(shown);
    }
}

INSTANTIATE_TEST_SUITE_P(, TextBrowserPages, testing::ValuesIn(kServed),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(TextBrowserView, FetchesThePagesImagesOnceAndShowsThem)
{
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");

    TestHttpServer server;
    server.serve(QStringLiteral("/pages/update.html"), "text/html", "<p>Обновление<img src=\"logo.png\"></p>");
    server.serve(QStringLiteral("/pages/logo.png"), "image/png", png);
    TextBrowserView view(nullptr, kTimeLimit);
    view.show(); // images are asked for as the shown page is laid out
    view.navigate(server.address(QStringLiteral("/pages/update.html")));
    ASSERT_TRUE(waitUntil([&] { return server.requests(QStringLiteral("/pages/logo.png")) == 1; }));
    // The layout holds the image as it arrived, or already made into a pixmap for the screen.
    ASSERT_TRUE(waitUntil([&] {
        const QVariant shown = view.document()->resource(QTextDocument::ImageResource, QUrl(QStringLiteral("logo.png")));
        const QSize size = shown.typeId() == QMetaType::QPixmap ? shown.value<QPixmap>().size()
                                                                 : QImage::fromData(shown.toByteArray()).size();
        return size == image.size();
    }));
    EXPECT_EQ(server.requests(QStringLiteral("/pages/logo.png")), 1);
}

// As the program loads it: a module behind the windows' browser host, without the engine.
TEST(TextBrowserModule, StandsInForTheEngineWithoutScrollBarsOrScripts)
{
    TestHttpServer server;
    server.serve(QStringLiteral("/update.html"), "text/html", "<h1>Обновление</h1>");
    pages::BrowserHost host(nullptr, QStringLiteral(TEXT_BROWSER_MODULE));
    QSignalSpy loads(&host, &pages::BrowserHost::loadFinished);
    host.navigate(server.address(QStringLiteral("/update.html")));
    ASSERT_NE(host.view(), nullptr);
    ASSERT_TRUE(waitUntil([&] { return loads.count() == 1; }));
    EXPECT_TRUE(loads.at(0).at(0).toBool());

    auto *browser = qobject_cast<QTextBrowser *>(host.view()->widget());
    ASSERT_NE(browser, nullptr);
    EXPECT_EQ(browser->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(browser->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_FALSE(evaluate(&host, QStringLiteral("1 + 1")).isValid());
    EXPECT_FALSE(libraryLoaded(QStringLiteral("libQt6WebEngineCore")));
}
