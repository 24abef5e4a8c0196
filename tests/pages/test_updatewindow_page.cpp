// The update window against pages served by the test itself on 127.0.0.1.
#include "pages/browserhost.h"
#include "tests/pages/pagewaiting.h"
#include "tests/pages/testhttpserver.h"
#include "pages/updatewindow.h"
#include "tests/pages/windowparts.h"

#include <QApplication>
#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QLibraryInfo>
#include <QTest>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>

#include <gtest/gtest.h>

using pages::UpdateWindow;

namespace {

const QByteArray tallPage = "<!DOCTYPE html><html><body><div style=\"width:2000px;height:4000px\">Обновление</div></body></html>";

const QByteArray svgDocument = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"10\" height=\"10\"/>";

QByteArray smallPng()
{
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

class UpdateWindowPage : public testing::Test
{
protected:
    void open(const QUrl &page)
    {
        window = std::make_unique<UpdateWindow>(page);
        window->setErrorSink([this](const QString &text) { errors.append(text); });
        loads = std::make_unique<QSignalSpy>(browserOf(*window), &pages::BrowserHost::loadFinished);
        window->open();
    }
    bool waitForLoads(int count)
    {
        return waitUntil([&] { return loads->count() >= count; });
    }
    QVariant evaluate(const QString &script) { return ::evaluate(browserOf(*window), script); }

    TestHttpServer server;
    std::unique_ptr<UpdateWindow> window;
    std::unique_ptr<QSignalSpy> loads;
    QStringList errors;
};

} // namespace

TEST_F(UpdateWindowPage, TallPageLosesItsScrollBarsOnceLoaded)
{
    server.serve(QStringLiteral("/update.html"), "text/html; charset=utf-8", tallPage);
    open(server.address(QStringLiteral("/update.html")));
    ASSERT_TRUE(waitForLoads(1));
    EXPECT_TRUE(loads->at(0).at(0).toBool());

    // Our script was queued before this one, so the page already carries its result.
    EXPECT_EQ(evaluate(QStringLiteral("document.body.style.overflowX")).toString(), QStringLiteral("hidden"));
    EXPECT_EQ(evaluate(QStringLiteral("document.body.style.overflowY")).toString(), QStringLiteral("hidden"));
    // Only the engine's error page is zoomed to fit.
    EXPECT_EQ(evaluate(QStringLiteral("document.documentElement.style.zoom")).toString(), QString());
    // Scroll bars take their room from the viewport; none is left to them.
    const QString scrollBarRoom = QStringLiteral(
        "[window.innerWidth - document.documentElement.clientWidth,"
        " window.innerHeight - document.documentElement.clientHeight]");
    const QVariantList hidden = evaluate(scrollBarRoom).toList();
    ASSERT_EQ(hidden.size(), 2);
    EXPECT_EQ(hidden[0].toInt(), 0);
    EXPECT_EQ(hidden[1].toInt(), 0);
    // Without the window's doing, the same page would have had both.
    evaluate(QStringLiteral("document.body.style.overflowX = ''; document.body.style.overflowY = ''"));
    const QVariantList withScrollBars = evaluate(scrollBarRoom).toList();
    ASSERT_EQ(withScrollBars.size(), 2);
    EXPECT_GT(withScrollBars[0].toInt(), 0);
    EXPECT_GT(withScrollBars[1].toInt(), 0);
    EXPECT_TRUE(errors.isEmpty()) << qPrintable(errors.join('\n'));
    EXPECT_TRUE(window->isVisible());
}

TEST_F(UpdateWindowPage, IsAskedForEachTimeTheWindowOpensAndOnlyThen)
{
    server.serve(QStringLiteral("/update.html"), "text/html", tallPage);
    window = std::make_unique<UpdateWindow>(server.address(QStringLiteral("/update.html")));
    QSignalSpy loadSpy(browserOf(*window), &pages::BrowserHost::loadFinished);
    EXPECT_EQ(server.requests(QStringLiteral("/update.html")), 0);

    window->open();
    ASSERT_TRUE(waitUntil([&] { return loadSpy.count() == 1; }));
    EXPECT_EQ(server.requests(QStringLiteral("/update.html")), 1);
    okButtonOf(*window)->click();
    EXPECT_FALSE(window->isVisible());

    window->open();
    ASSERT_TRUE(waitUntil([&] { return loadSpy.count() == 2; }));
    EXPECT_EQ(server.requests(QStringLiteral("/update.html")), 2);
}

// Documents the engine shows inside a body of its own, and its own error page, lose their scroll bars
// like any page, without a word.
class UpdateWindowDocuments : public UpdateWindowPage, public testing::WithParamInterface<const char *> {};

TEST_P(UpdateWindowDocuments, LoseTheirScrollBarsWithoutAMessage)
{
    const QByteArray type = GetParam();
    if (type == "unreachable") {
        open(TestHttpServer::unreachableAddress(QStringLiteral("/update.html")));
    } else {
        server.serve(QStringLiteral("/update.html"), type, type == "image/png" ? smallPng() : QByteArray("no markup here"));
        open(server.address(QStringLiteral("/update.html")));
    }
    ASSERT_TRUE(waitForLoads(1));
    EXPECT_EQ(evaluate(QStringLiteral("document.body.style.overflowY")).toString(), QStringLiteral("hidden"));
    EXPECT_EQ(evaluate(QStringLiteral("document.body.style.overflowX")).toString(), QStringLiteral("hidden"));
    EXPECT_TRUE(errors.isEmpty()) << qPrintable(errors.join('\n'));
    EXPECT_TRUE(window->isVisible());
}

INSTANTIATE_TEST_SUITE_P(, UpdateWindowDocuments, testing::Values("text/plain; charset=utf-8", "image/png", "unreachable"),
                         [](const auto &info) { return std::string(info.index == 0 ? "PlainText" : info.index == 1 ? "Image" : "ErrorPage"); });

TEST_F(UpdateWindowPage, DocumentWithoutABodyIsReportedAndTheWindowStaysOpen)
{
    server.serve(QStringLiteral("/update.html"), "image/svg+xml", svgDocument);
    open(server.address(QStringLiteral("/update.html")));
    ASSERT_TRUE(waitUntil([&] { return !errors.isEmpty(); }));
    EXPECT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors.first().contains(QStringLiteral("image/svg+xml"))) << qPrintable(errors.first());
    EXPECT_TRUE(window->isVisible());
}

TEST_F(UpdateWindowPage, UnreachableServerIsExplainedInRussian)
{
    const QString pak = QLibraryInfo::path(QLibraryInfo::TranslationsPath) + QStringLiteral("/qtwebengine_locales/ru.pak");
    if (!QFileInfo::exists(pak))
        GTEST_SKIP() << "no Russian strings for the engine: " << qPrintable(pak);
    open(TestHttpServer::unreachableAddress(QStringLiteral("/update.html")));
    ASSERT_TRUE(waitForLoads(1));
    const QString shown = evaluate(QStringLiteral("document.documentElement.innerText")).toString();
    EXPECT_TRUE(shown.contains(QStringLiteral("ERR_CONNECTION_REFUSED"))) << qPrintable(shown);
    EXPECT_TRUE(shown.contains(QStringLiteral("сайт"))) << qPrintable(shown);
    EXPECT_FALSE(shown.contains(QStringLiteral("This site"))) << qPrintable(shown);
}

TEST_F(UpdateWindowPage, ErrorPageIsFittedSoThatItsHeadlineAndErrorCodeShow)
{
    open(TestHttpServer::unreachableAddress(QStringLiteral("/update.html")));
    ASSERT_TRUE(waitForLoads(1));
    // Where the headline's text and the error code's stand in the view, in its pixels.
    const QVariantList shown = evaluate(QStringLiteral(R"js(
        (function () {
            var scale = window.innerWidth / document.documentElement.getBoundingClientRect().width;
            function textRect(element) {
                var words = document.createTreeWalker(element, NodeFilter.SHOW_TEXT), text;
                do
                    text = words.nextNode();
                while (!text.textContent.trim());
                var range = document.createRange();
                range.selectNodeContents(text);
                var r = range.getBoundingClientRect();
                return [r.left * scale, r.top * scale, r.right * scale, r.bottom * scale];
            }
            var code = Array.from(document.querySelectorAll("body *")).find(function (e) {
                return !e.children.length && e.textContent.trim() == "ERR_CONNECTION_REFUSED";
            });
            return [window.innerWidth, window.innerHeight].concat(textRect(document.querySelector("h1")), textRect(code));
        })()
    )js")).toList();
    ASSERT_EQ(shown.size(), 10);
    const QRectF view(0, 0, shown[0].toDouble(), shown[1].toDouble());
    const QRectF headline(QPointF(shown[2].toDouble(), shown[3].toDouble()), QPointF(shown[4].toDouble(), shown[5].toDouble()));
    const QRectF code(QPointF(shown[6].toDouble(), shown[7].toDouble()), QPointF(shown[8].toDouble(), shown[9].toDouble()));
    const QString where = QVariant(shown).toStringList().join(QLatin1Char(' '));
    EXPECT_TRUE(view.contains(headline)) << qPrintable(where);
    EXPECT_TRUE(view.contains(code)) << qPrintable(where);
    EXPECT_TRUE(errors.isEmpty()) << qPrintable(errors.join('\n'));
}

TEST_F(UpdateWindowPage, EnterInThePageIsThePagesAndLeavesTheWindowOpen)
{
    server.serve(QStringLiteral("/update.html"), "text/html",
                 "<html><body><input id=f autofocus onkeydown=\"if (event.key == 'Enter') window.entered = (window.entered || 0) + 1\">"
                 "</body></html>");
    open(server.address(QStringLiteral("/update.html")));
    window->activateWindow();
    ASSERT_TRUE(waitForLoads(1));
    ASSERT_TRUE(waitUntil([&] { return evaluate(QStringLiteral("document.activeElement.id")).toString() == QStringLiteral("f"); }));
    browserOf(*window)->setFocus();
    QWidget *target = QApplication::focusWidget();
    ASSERT_NE(target, nullptr);
    QTest::keyClick(target, Qt::Key_Return);
    ASSERT_TRUE(waitUntil([&] { return evaluate(QStringLiteral("window.entered || 0")).toInt() == 1; }));
    // The engine hands back the keys the page did not stop; the window must not take this one.
    QTest::qWait(200);
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(okButtonOf(*window)->isDefault());
    EXPECT_FALSE(cancelButtonOf(*window)->isDefault());
}

TEST(UpdateWindowDefaultSink, ReportsInACriticalMessageBox)
{
    TestHttpServer server;
    server.serve(QStringLiteral("/update.html"), "image/svg+xml", svgDocument);
    UpdateWindow window(server.address(QStringLiteral("/update.html")));

    QString boxText;
    QMessageBox::Icon boxIcon = QMessageBox::NoIcon;
    QTimer answerer;
    QObject::connect(&answerer, &QTimer::timeout, [&] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            boxText = box->text();
            boxIcon = box->icon();
            box->accept();
        }
    });
    answerer.start(10);

    window.open();
    ASSERT_TRUE(waitUntil([&] { return !boxText.isEmpty(); }));
    EXPECT_EQ(boxIcon, QMessageBox::Critical);
    EXPECT_TRUE(boxText.contains(QStringLiteral("image/svg+xml")));
    EXPECT_TRUE(window.isVisible());
}
