#pragma once

#include "tests/app/boxrecorder.h"
#include "tests/support/scratchfolder.h"
#include "tests/app/qtprinting.h"
#include "app/mainwindow.h"

#include <QTest>
#include <gtest/gtest.h>
#include <memory>

class QTableView;

// The real main window in a fresh data folder, with every message box answered by the recorder.
class MainWindowTest : public ::testing::Test {
protected:
    MainWindowTest() : folder(std::make_unique<DataFolder>()) {}
    void TearDown() override;

    // Replaces the data folder; call before openWindow().
    void useFolder(DataFolder::Content files);
    // Builds and shows the window and lets its first activation run.
    app::MainWindow &openWindow();
    void activate();

    template <class T>
    T *child(const char *name) const
    {
        T *found = form->findChild<T *>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    QTableView *grid() const;
    // Panel 1 of the status bar: the message the last search left.
    QString messagePanel() const;
    // Qt ends the event loop when the last visible window that quits on close has closed.
    bool programEnds() const;
    // Lets queued work (error reports, the first activation) run.
    static void settle();

    std::unique_ptr<DataFolder> folder;
    BoxRecorder boxes;
    std::unique_ptr<app::MainWindow> form;
};

// Types text into whatever has the keyboard focus, one character at a time, as a keyboard would
// (QTest's own keyClicks cannot type beyond Latin-1). Both let the work the keys queued run.
void typeText(const QString &text);
void pressKey(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
