#pragma once

#include <sys/fsuid.h>
#include <unistd.h>

// While it lives, files are opened as the user "nobody" when the test runs as root, whose permission
// checks would let every write through; leaving file-system uid 0 also drops the capabilities that
// override permission bits. As any other user the permission bits bind anyway and nothing changes.
class UnprivilegedAccess {
public:
    UnprivilegedAccess()
        : m_active(geteuid() == 0)
    {
        if (m_active) {
            setfsgid(kNobody);
            setfsuid(kNobody);
        }
    }
    ~UnprivilegedAccess()
    {
        if (m_active) {
            setfsuid(0);
            setfsgid(0);
        }
    }
    UnprivilegedAccess(const UnprivilegedAccess &) = delete;
    UnprivilegedAccess &operator=(const UnprivilegedAccess &) = delete;

private:
    static constexpr unsigned kNobody = 65534;
    bool m_active;
};
