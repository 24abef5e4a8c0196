#pragma once

#include "app/messagebox.h"

#include <QStringList>

// Answers every message box of the window with OK while it lives, so no test waits for a person,
// and keeps what they said.
class BoxLog {
public:
    BoxLog();
    ~BoxLog();
    BoxLog(const BoxLog &) = delete;
    BoxLog &operator=(const BoxLog &) = delete;

    QStringList texts() const;
    // The texts of the default error handler's boxes: the failures that ended an action.
    QStringList failures() const;
    void clear();
};
