#pragma once

#include "databaseerror.h"

namespace jet {

// A failure of a Jet import itself (the source cannot be read, the reader overran its limits, a file
// cannot be placed) is a store error of the Import kind; the store's own failures keep their kinds.
inline store::DatabaseError importError(const QString &text)
{
    return store::DatabaseError(store::DatabaseError::Kind::Import, {text});
}

} // namespace jet
