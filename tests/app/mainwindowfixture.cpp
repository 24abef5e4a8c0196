#include "tests/app/mainwindowfixture.h"

#include <QApplication>
#include <QLabel>
#include <QTableView>

#include <algorithm>

void MainWindowTest::TearDown()
{
    form.reset();
    settle();
}

void MainWindowTest::useFolder(DataFolder::Content files)
{
    folder.reset();
    folder = std::make_unique<DataFolder>(files);
}

app::MainWindow &MainWindowTest::openWindow()
{
    form = std::make_unique<app::MainWindow>();
    form->show();
    settle();
    return *form;
}

void MainWindowTest::activate()
{
    form->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(form.get()));
}

QTableView *MainWindowTest::grid() const
{
    return child<QTableView>("resultGrid");
}

QString MainWindowTest::messagePanel() const
{
    return child<QLabel>("messagePanel")->text();
}

bool MainWindowTest::programEnds() const
{
    if (form->isVisible() || !form->testAttribute(Qt::WA_QuitOnClose) || !QGuiApplication::quitOnLastWindowClosed())
        return false;
    const QWidgetList windows = QApplication::topLevelWidgets();
    return std::none_of(windows.cbegin(), windows.cend(), [](const QWidget *w) { return w->isVisible(); });
}

void MainWindowTest::settle()
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

void typeText(const QString &text)
{
    for (const QChar c : text) {
        QWidget *target = QApplication::focusWidget();
        ASSERT_NE(target, nullptr);
        const auto key = Qt::Key(c.toUpper().unicode());
        QTest::sendKeyEvent(QTest::Press, target, key, QString(c), Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, QApplication::focusWidget(), key, QString(c), Qt::NoModifier);
    }
    QCoreApplication::processEvents();
}

void pressKey(Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    QWidget *target = QApplication::focusWidget();
    ASSERT_NE(target, nullptr);
    QTest::keyClick(target, key, modifiers);
    // Item views finish some keys (Enter in an editor) in a queued call.
    QCoreApplication::processEvents();
}
