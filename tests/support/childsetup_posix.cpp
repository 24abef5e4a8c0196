#include "tests/support/childsetup.h"

void runInChild(QProcess &process, const std::function<void()> &inChild)
{
    process.setChildProcessModifier(inChild);
}
