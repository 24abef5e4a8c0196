#pragma once

#include <QProcess>

#include <functional>

// Has the started child run inChild before its program (giving up privileges, say). Linux alone
// runs a test's code in a child; on Windows a test that asks for it is wrong.
void runInChild(QProcess &process, const std::function<void()> &inChild);
