#include "tests/support/childsetup.h"

#include <stdexcept>

void runInChild(QProcess &, const std::function<void()> &)
{
    throw std::logic_error("a Windows child process runs no code of the test's before its program");
}
