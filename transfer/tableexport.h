#pragma once

#include "transfer/csv.h"

#include <QString>

class QIODevice;

namespace store {
class QueryChannel;
}

namespace transfer {

// A table name that can stand in a statement as it is: letters, digits and underscores, not
// starting with a digit.
bool isPlainName(const QString &name);

// Writes the table to out in the format, UTF-8: a header of its column names, then every row
// (NULL as an empty field), read at one snapshot and a batch at a time. Returns the rows written.
// Throws StoreError (a missing table, say), and a write to out that fails throws it too.
qint64 exportTable(store::QueryChannel &channel, const QString &table, Format format, QIODevice &out);

} // namespace transfer
