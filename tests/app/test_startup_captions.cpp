#include "tests/app/mainwindowfixture.h"

#include "text/cp1251.h"
#include "app/errorhandler.h"

#include <QFile>
#include <QLabel>

using namespace Qt::StringLiterals;

namespace {

using StartupCaptions = MainWindowTest;

TEST_F(StartupCaptions, RegionGoesIntoCaptionAndHeading)
{
    folder->write(u"conf.cfg"_s, "bd=" + cp1251::encode(u"Москва"_s).value() + "\r\n");
    openWindow();
    EXPECT_EQ(form->windowTitle(), u"Zelvik - телефонный справочник (Москва)"_s);
    EXPECT_EQ(child<QLabel>("heading")->text(), u"Телефонный справочник - Москва"_s);
    EXPECT_TRUE(boxes.shown().isEmpty());
}

TEST_F(StartupCaptions, WithoutConfCfgTheRegionIsEmpty)
{
    openWindow();
    EXPECT_EQ(form->windowTitle(), u"Zelvik - телефонный справочник ()"_s);
    EXPECT_EQ(child<QLabel>("heading")->text(), u"Телефонный справочник - "_s);
    EXPECT_TRUE(boxes.shown().isEmpty());
}

TEST_F(StartupCaptions, HeadingGrowsToShowALongRegion)
{
    folder->write(u"conf.cfg"_s, "bd=" + u"Ханты-Мансийский автономный округ"_s.toUtf8());
    openWindow();
    const QLabel *heading = child<QLabel>("heading");
    EXPECT_GE(heading->width(), heading->sizeHint().width());
    EXPECT_GE(heading->height(), 32);
}

TEST_F(StartupCaptions, RegionIsShownAsPlainTextNotMarkup)
{
    folder->write(u"conf.cfg"_s, "bd=<b>" + cp1251::encode(u"Тула"_s).value() + "</b>\r\n");
    openWindow();
    const QLabel *heading = child<QLabel>("heading");
    ASSERT_EQ(heading->text(), u"Телефонный справочник - <b>Тула</b>"_s);
    // Read as markup, the tags would vanish and the heading would be narrower than its text.
    EXPECT_GE(heading->sizeHint().width(), heading->fontMetrics().horizontalAdvance(heading->text()));
}

TEST_F(StartupCaptions, UnreadableConfCfgIsReportedAndDesignCaptionsStay)
{
    ASSERT_TRUE(QFile::link(u"/proc/self/mem"_s, folder->path(u"conf.cfg"_s)));
    openWindow();

    ASSERT_EQ(boxes.shown().size(), 1);
    const auto &box = boxes.shown().first();
    EXPECT_EQ(box.kind, app::MessageBoxes::Kind::Failure);
    EXPECT_EQ(box.caption, app::applicationTitle());
    EXPECT_TRUE(box.text.contains(u"conf.cfg"_s)) << box.text.toStdString();
    EXPECT_EQ(form->windowTitle(), u"Zelvik"_s);
    EXPECT_EQ(child<QLabel>("heading")->text(), u"Телефонный справочник"_s);
    // Start-up goes on: the store is still configured and the window is up.
    EXPECT_EQ(form->connection().dataSource(), u"history.dat"_s);
    EXPECT_TRUE(form->isVisible());
}

TEST_F(StartupCaptions, StoreIsConfiguredButNotOpened)
{
    openWindow();
    EXPECT_EQ(form->connection().dataSource(), u"history.dat"_s);
    EXPECT_FALSE(form->connection().isOpen());
}

} // namespace
