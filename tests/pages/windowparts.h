#pragma once

#include "pages/browserhost.h"

#include <QPushButton>
#include <QWidget>

#include <gtest/gtest.h>

// The parts of a window that tests drive, found by their object names as accessibility tools find them.
template <typename T>
T *child(const QWidget &window, const char *name)
{
    T *found = window.findChild<T *>(QLatin1String(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

inline pages::BrowserHost *browserOf(const QWidget &window)
{
    return child<pages::BrowserHost>(window, "browser");
}

inline QPushButton *okButtonOf(const QWidget &window)
{
    return child<QPushButton>(window, "okButton");
}

inline QPushButton *cancelButtonOf(const QWidget &window)
{
    return child<QPushButton>(window, "cancelButton");
}
