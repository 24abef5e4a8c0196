#pragma once

#include "transfer/csv.h"
#include "transfer/textencoding.h"

#include <QString>

#include <optional>

class QIODevice;

namespace store {
class QueryChannel;
}

namespace transfer {

// A table name that can stand in a statement as it is: letters, digits and underscores, not
// starting with a digit.
bool isPlainName(const QString &name);

struct ExportOptions {
    Format format = Format::Csv;
    char separator = ',';              // CSV's; TSV's is always a tab
    Encoding encoding = Encoding::Utf8; // Windows-1251 for spreadsheet programs that read nothing else
};

// A value the encoding cannot hold: its row (counted from 1, the header not counted), its column,
// and the value itself.
struct ExportRefusal {
    qint64 row = 0;
    QString column;
    QString value;
};

struct ExportOutcome {
    qint64 rows = 0;                     // the rows written
    std::optional<ExportRefusal> refusal; // set when the export stopped before that row
};

// Writes the table to out as the options say: a header of its column names, then every row (NULL
// as an empty field), read at one snapshot and a batch at a time. A value the encoding cannot hold
// stops the export before its row, so that no character is ever written as another. Throws
// StoreError (a missing table, say), and a write to out that fails throws it too.
ExportOutcome exportTable(store::QueryChannel &channel, const QString &table, const ExportOptions &options,
                          QIODevice &out);

} // namespace transfer
