#pragma once

#include "store/storeerror.h"

namespace jet {

// A failure of a Jet import itself (the source cannot be read, the reader overran its limits, a file
// cannot be placed) is a store error of the Import kind; the store's own failures keep their kinds.
inline store::StoreError importError(const QString &text)
{
    return store::StoreError(store::StoreError::Kind::Import, {text});
}

} // namespace jet
