#pragma once

#include "store/schema.h"

#include <string_view>

struct sqlite3;

namespace store {

// kCollation (store/schema.h) on SQLite: Latin and Cyrillic letters compare without regard to case
// (Ё/ё and the other Cyrillic capitals included), as Jet compared by default. SQLite's NOCASE folds
// ASCII only.

// <0, 0 or >0: the UTF-8 texts compared code point by code point after folding capitals to small
// letters. Bytes that are not UTF-8 sort after every character, each by its own value.
int compareFolded(std::string_view a, std::string_view b);

// compareFolded as SQLite's collation callback wants it. This file needs neither Qt nor a linked
// SQLite, so the loadable extension (collationextension.cpp) is built from it as well.
int collateFolded(void *, int lengthA, const void *a, int lengthB, const void *b);

// Registers kCollation on the connection; a schema that declares it cannot be used without it.
// Throws StoreError.
void registerCollation(sqlite3 *db);

} // namespace store
