// The boxes themselves, shown for real: a queued step finds the open box, notes how it looks and
// answers it with a key, as a user would.
#include "app/errorhandler.h"
#include "app/messagebox.h"
#include "tests/app/qtprinting.h"

#include <QPushButton>
#include <QApplication>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using app::MessageBoxes;

namespace {

struct SeenBox {
    bool found = false;
    QString caption;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QStringList buttons;
    QString defaultButton;
    QPoint offCentre;
    Qt::TextFormat format = Qt::AutoText;
};

template <class Open>
SeenBox answerWithKey(Qt::Key key, Open open)
{
    SeenBox seen;
    QMetaObject::invokeMethod(
        qApp,
        [&seen, key] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            seen.found = true;
            seen.caption = box->windowTitle();
            seen.text = box->text();
            seen.format = box->textFormat();
            seen.icon = box->icon();
            for (const QAbstractButton *b : box->buttons())
                seen.buttons << b->text();
            seen.buttons.sort();
            if (box->defaultButton())
                seen.defaultButton = box->defaultButton()->text();
            seen.offCentre = box->frameGeometry().center() - box->screen()->availableGeometry().center();
            QTest::keyClick(box, key);
        },
        Qt::QueuedConnection);
    open();
    return seen;
}

class RealBoxes : public ::testing::Test {
protected:
    void SetUp() override { MessageBoxes::clearShown(); }
    void TearDown() override { MessageBoxes::clearShown(); }
};

TEST_F(RealBoxes, ErrorBoxHasOneOkThatEscCloses)
{
    const SeenBox seen = answerWithKey(Qt::Key_Escape, [] { MessageBoxes::error(nullptr, u"Нет файла"_s); });
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(seen.caption, u"Error"_s);
    EXPECT_EQ(seen.text, u"Нет файла"_s);
    EXPECT_EQ(seen.icon, QMessageBox::Critical);
    EXPECT_EQ(seen.buttons, QStringList{u"OK"_s});
    EXPECT_EQ(seen.defaultButton, u"OK"_s);
    ASSERT_EQ(MessageBoxes::shown().size(), 1);
    EXPECT_EQ(MessageBoxes::shown().first().answer, QMessageBox::Ok);
}

TEST_F(RealBoxes, UnsavedRowBoxShowsCellTextAsItIsAndEnterGoesBackToTheRow)
{
    bool dropped = true;
    const SeenBox seen = answerWithKey(Qt::Key_Return, [&] {
        dropped = MessageBoxes::dropUnsavedRow(nullptr, u"«<b>Тула</b>» не сохранена"_s, u"Закрыть без сохранения"_s);
    });
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(seen.format, Qt::PlainText);
    EXPECT_EQ(seen.buttons, QStringList({u"Вернуться к записи"_s, u"Закрыть без сохранения"_s}));
    EXPECT_EQ(seen.defaultButton, u"Вернуться к записи"_s);
    EXPECT_FALSE(dropped);
}

TEST_F(RealBoxes, InformationBoxClosesOnEnter)
{
    const SeenBox seen = answerWithKey(Qt::Key_Return, [] { MessageBoxes::information(nullptr, u"Сведения"_s); });
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(seen.caption, u"Information"_s);
    EXPECT_EQ(seen.icon, QMessageBox::Information);
    EXPECT_EQ(seen.buttons, QStringList{u"OK"_s});
}

TEST_F(RealBoxes, ConfirmationOffersOkAndCancel)
{
    bool confirmed = true;
    const SeenBox seen = answerWithKey(Qt::Key_Escape, [&] { confirmed = MessageBoxes::confirm(nullptr, u"Delete record?"_s); });
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(seen.caption, u"Confirm"_s);
    EXPECT_EQ(seen.icon, QMessageBox::Question);
    EXPECT_EQ(seen.buttons, QStringList({u"Cancel"_s, u"OK"_s}));
    EXPECT_FALSE(confirmed);

    answerWithKey(Qt::Key_Return, [&] { confirmed = MessageBoxes::confirm(nullptr, u"Delete record?"_s); });
    EXPECT_TRUE(confirmed);
}

TEST_F(RealBoxes, BoxesStandInTheMiddleOfTheScreen)
{
    QWidget owner;
    owner.setGeometry(10, 10, 200, 100);
    owner.show();
    const SeenBox seen = answerWithKey(Qt::Key_Escape, [&] { MessageBoxes::error(&owner, u"x"_s); });
    ASSERT_TRUE(seen.found);
    EXPECT_LE(seen.offCentre.manhattanLength(), 2);
}

TEST_F(RealBoxes, DefaultErrorHandlerCaptionsWithTheProgramTitle)
{
    const SeenBox seen = answerWithKey(Qt::Key_Return, [] { app::reportError(u"Disk full"_s); });
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(seen.caption, app::applicationTitle());
    EXPECT_EQ(seen.caption, u"zelvik_app_window_tests"_s);
    EXPECT_EQ(seen.text, u"Disk full."_s);
    EXPECT_EQ(seen.icon, QMessageBox::Critical);
    EXPECT_EQ(seen.buttons, QStringList{u"OK"_s});
}

TEST_F(RealBoxes, BoxOpenedWhileEndingClosesByItself)
{
    MessageBoxes::errorWhileEnding(nullptr, u"Файл привязок history.dat не найден!"_s);
    ASSERT_EQ(MessageBoxes::shown().size(), 1);
    EXPECT_FALSE(MessageBoxes::shown().first().waitedForUser);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

} // namespace
