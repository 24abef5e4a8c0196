#include "jet/platform/childlifetime.h"

#include <QProcess>

#include <csignal>
#include <sys/prctl.h>

namespace jet {

void endWithThisProcess(QProcess &child)
{
    child.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
}

} // namespace jet
