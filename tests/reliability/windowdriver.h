#pragma once

#include "store/entryfield.h"

#include <QString>
#include <memory>

namespace app {
class MainWindow;
}

// The program's main window in the current folder, used as a person uses it: it is opened (which
// runs the data-file check), fields are filled in and "Найти" is pressed.
class WindowDriver {
public:
    WindowDriver();
    ~WindowDriver();
    WindowDriver(const WindowDriver &) = delete;
    WindowDriver &operator=(const WindowDriver &) = delete;

    app::MainWindow &form() { return *m_form; }
    bool isOpen() const;

    void fill(store::EntryField field, const QString &text);
    void clearFields();
    // Presses "Найти" and returns what the message panel says afterwards.
    QString find();
    QString find(const QString &surname);

    // Lets queued work run: the first activation, error reports.
    static void settle();

private:
    std::unique_ptr<app::MainWindow> m_form;
};
