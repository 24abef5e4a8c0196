#pragma once

#include <functional>

// The tests run as root on CI, where permission bits bind nobody. A read-only file or folder is
// only read-only to an ordinary user, so the tests that need one act as the user "nobody": a child
// process becomes that user before it starts, and the test's own thread checks its file accesses
// as that user for a while. Run as an ordinary user, all of this does nothing: the bits bind already.
namespace identity {

bool isRoot();

// For QProcess::setChildProcessModifier: the child gives up root for good before it starts.
std::function<void()> childBecomesUnprivileged();

// While it lives, the calling thread opens and creates files as the unprivileged user.
class UnprivilegedFileAccess {
public:
    UnprivilegedFileAccess();
    ~UnprivilegedFileAccess();
    UnprivilegedFileAccess(const UnprivilegedFileAccess &) = delete;
    UnprivilegedFileAccess &operator=(const UnprivilegedFileAccess &) = delete;

private:
    bool m_active = false;
};

} // namespace identity
