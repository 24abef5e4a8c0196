#include "tests/reliability/identity.h"

#include <grp.h>
#include <pwd.h>
#include <sys/fsuid.h>
#include <unistd.h>

#include <cstdlib>

namespace identity {

namespace {

struct Ids {
    uid_t uid;
    gid_t gid;
};

// Looked up once, before any fork: getpwnam is not safe to call in a forked child.
Ids unprivileged()
{
    static const Ids ids = [] {
        const passwd *nobody = getpwnam("nobody");
        return nobody ? Ids{nobody->pw_uid, nobody->pw_gid} : Ids{65534, 65534};
    }();
    return ids;
}

} // namespace

bool isRoot()
{
    return geteuid() == 0;
}

std::function<void()> childBecomesUnprivileged()
{
    if (!isRoot())
        return [] {};
    const Ids ids = unprivileged();
    return [ids] {
        // A child that kept root would pass every permission test the caller meant it to fail.
        if (setgroups(0, nullptr) != 0 || setgid(ids.gid) != 0 || setuid(ids.uid) != 0)
            std::_Exit(126);
    };
}

UnprivilegedFileAccess::UnprivilegedFileAccess()
{
    if (!isRoot())
        return;
    const Ids ids = unprivileged();
    // Leaving file-system uid 0 also drops the capabilities that override permission bits.
    setfsgid(ids.gid);
    setfsuid(ids.uid);
    m_active = true;
}

UnprivilegedFileAccess::~UnprivilegedFileAccess()
{
    if (!m_active)
        return;
    setfsuid(0);
    setfsgid(0);
}

} // namespace identity
