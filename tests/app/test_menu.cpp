#include "tests/app/mainwindowfixture.h"

#include <QDialog>

using namespace Qt::StringLiterals;

namespace {

// Stands in for a secondary window: notes how it was shown and closes itself at once.
class SelfClosingDialog : public QDialog {
public:
    using QDialog::QDialog;
    int timesShown = 0;
    bool wasModal = false;

protected:
    void showEvent(QShowEvent *event) override
    {
        QDialog::showEvent(event);
        ++timesShown;
        wasModal = isModal();
        QMetaObject::invokeMethod(this, &QDialog::accept, Qt::QueuedConnection);
    }
};

class Menu : public MainWindowTest {
protected:
    void trigger(const char *item) { child<QAction>(item)->trigger(); }
};

TEST_F(Menu, ConnectionCommandOnlyInforms)
{
    openWindow();
    trigger("connectionAction");
    ASSERT_EQ(boxes.shown().size(), 1);
    const auto &box = boxes.shown().first();
    EXPECT_EQ(box.kind, app::MessageBoxes::Kind::Information);
    EXPECT_EQ(box.caption, u"Information"_s);
    EXPECT_EQ(box.text, u"Других баз данных не найдено."_s);
    EXPECT_FALSE(form->connection().isOpen());
    EXPECT_EQ(form->connection().dataSource(), u"history.dat"_s);
}

TEST_F(Menu, ExitClosesTheWindowAndEndsTheProgram)
{
    openWindow();
    trigger("exitAction");
    EXPECT_TRUE(programEnds());
}

TEST_F(Menu, CommandsShowTheirWindowsModally)
{
    openWindow();
    auto *about = new SelfClosingDialog(form.get());
    auto *update = new SelfClosingDialog(form.get());
    auto *help = new SelfClosingDialog(form.get());
    form->setModalWindows(about, update, help);

    trigger("aboutAction");
    EXPECT_EQ(about->timesShown, 1);
    EXPECT_TRUE(about->wasModal);
    trigger("updateAction");
    EXPECT_EQ(update->timesShown, 1);
    EXPECT_TRUE(update->wasModal);
    trigger("helpAction");
    trigger("helpAction");
    EXPECT_EQ(help->timesShown, 2);
    EXPECT_EQ(about->timesShown, 1);
    EXPECT_TRUE(form->isVisible());
}

} // namespace
