#pragma once

#include "store/jetdialect.h"

#include <QString>

namespace store {

// translateJet for a statement as the program holds it. Reuses out's buffers, so a caller that
// keeps its JetTranslation translates without allocating. Throws StoreError when it is refused, and
// when a literal holds a NUL or, in a statement that is no select, is longer than kTextValueLimit.
void translateStatement(const QString &statement, JetTranslation &out, Dialect dialect = Dialect::Sqlite);

} // namespace store
