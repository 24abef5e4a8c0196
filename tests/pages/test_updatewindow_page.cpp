// The update window against pages served by the test itself on 127.0.0.1.
#include "browserhost.h"
#include "pagewaiting.h"
#include "testhttpserver.h"
#include "updatewindow.h"
#include "windowparts.h"

#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

const QByteArray tallPage = "<!DOCTYPE html><html><body><div style=\"width:2000px;height:4000px\">Обновление</div></body></html>";

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

TEST_F(UpdateWindowPage, PlainTextIsReportedAndTheWindowStaysOpen)
{
    server.serve(QStringLiteral("/update.html"), "text/plain; charset=utf-8", "no markup here");
    open(server.address(QStringLiteral("/update.html")));
    ASSERT_TRUE(waitUntil([&] { return !errors.isEmpty(); }));
    EXPECT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors.first().contains(QStringLiteral("text/plain"))) << qPrintable(errors.first());
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(evaluate(QStringLiteral("document.body.innerText")).toString().trimmed(), QStringLiteral("no markup here"));
}

TEST_F(UpdateWindowPage, AnImageIsReportedLikePlainText)
{
    server.serve(QStringLiteral("/update.html"), "image/png", smallPng());
    open(server.address(QStringLiteral("/update.html")));
    ASSERT_TRUE(waitUntil([&] { return !errors.isEmpty(); }));
    EXPECT_TRUE(errors.first().contains(QStringLiteral("image/png"))) << qPrintable(errors.first());
    EXPECT_TRUE(window->isVisible());
}

TEST_F(UpdateWindowPage, UnreachableServerShowsTheEnginesErrorPageAndNoMessageOfOurs)
{
    open(TestHttpServer::unreachableAddress(QStringLiteral("/update.html")));
    ASSERT_TRUE(waitForLoads(1));
    EXPECT_FALSE(loads->at(0).at(0).toBool());

    // A round trip to the page: anything we would have said about this load has been said by now.
    const QString shown = evaluate(QStringLiteral("document.documentElement.innerText")).toString();
    EXPECT_TRUE(shown.contains(QStringLiteral("ERR_CONNECTION_REFUSED"))) << qPrintable(shown);
    EXPECT_TRUE(errors.isEmpty()) << qPrintable(errors.join('\n'));
    EXPECT_TRUE(window->isVisible());
}

TEST(UpdateWindowDefaultSink, ReportsInACriticalMessageBox)
{
    TestHttpServer server;
    server.serve(QStringLiteral("/update.html"), "text/plain", "plain");
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
    EXPECT_TRUE(boxText.contains(QStringLiteral("text/plain")));
    EXPECT_TRUE(window.isVisible());
}
