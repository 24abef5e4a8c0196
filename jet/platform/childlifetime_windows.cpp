#include "jet/platform/childlifetime.h"

#include <QProcess>

#include <windows.h>

namespace jet {

namespace {

// One job for every child of this process, kept open until the process ends.
HANDLE childJob()
{
    static const HANDLE job = [] {
        const HANDLE made = CreateJobObjectW(nullptr, nullptr);
        if (!made)
            return HANDLE(nullptr);
        JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits {};
        limits.BasicLimitInformation.LimitFlags
            = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE | JOB_OBJECT_LIMIT_DIE_ON_UNHANDLED_EXCEPTION;
        SetInformationJobObject(made, JobObjectExtendedLimitInformation, &limits, sizeof limits);
        return made;
    }();
    return job;
}

} // namespace

void endWithThisProcess(QProcess &child)
{
    // Qt gives no hook between creating the process and its first instruction; it joins the job as
    // soon as it is there.
    QObject::connect(&child, &QProcess::started, &child, [&child] {
        const HANDLE job = childJob();
        const HANDLE process = OpenProcess(PROCESS_SET_QUOTA | PROCESS_TERMINATE, FALSE, DWORD(child.processId()));
        if (job && process)
            AssignProcessToJobObject(job, process);
        if (process)
            CloseHandle(process);
    });
}

} // namespace jet
