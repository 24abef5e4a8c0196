#pragma once

class QProcess;

namespace jet {

// Makes a child process end when this one does, however it ends: a reader left in a silent endless
// loop in libmdb would otherwise run on after the importer was killed. Call before the child starts:
// on Linux the kernel sends the child SIGKILL when its parent dies; on Windows the child joins a Job
// object that kills what it holds once the last handle to it, this process's, is gone, and that ends
// a crashing child at once instead of leaving it behind an error-report dialog.
void endWithThisProcess(QProcess &child);

} // namespace jet
