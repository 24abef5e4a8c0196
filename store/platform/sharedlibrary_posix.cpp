#include "store/platform/sharedlibrary.h"

#include <dlfcn.h>

namespace store {

extern const char kServerLibrary[] = "libpq.so.5";

void *loadSharedLibrary(const char *name, QString *reason)
{
    void *handle = dlopen(name, RTLD_NOW | RTLD_LOCAL);
    if (!handle)
        *reason = QString::fromLocal8Bit(dlerror());
    return handle;
}

void *sharedLibrarySymbol(void *library, const char *name)
{
    // The handle's lookup starts at the library itself, never at stand-ins of the same name.
    return dlsym(library, name);
}

} // namespace store
