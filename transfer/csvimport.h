#pragma once

#include "store/storeerror.h"

#include <QByteArrayView>
#include <QString>

#include <functional>
#include <optional>

namespace store {
class QueryChannel;
}

namespace transfer {

enum class Encoding { Utf8, Windows1251 };

// UTF-8 when the bytes are valid UTF-8 (a byte order mark says so too), Windows-1251 otherwise:
// Cyrillic text in that page is almost never valid UTF-8 by accident.
Encoding detectEncoding(QByteArrayView bytes);

// Why a file was refused. The caller words it; line and column say where (line counted from 1,
// column as the header names it, or its position when the header names none there).
struct ImportRefusal {
    enum Kind {
        UnknownTable,   // not one of the directory's tables
        NoHeader,       // an empty file
        UnknownColumn,  // the header names a column the table lacks
        RepeatedColumn, // the header names a column twice
        BrokenQuote,    // a quoted field never closed, or a quote where none may stand
        FieldCount,     // a record with more or fewer fields than the header
        NotANumber,     // a number column holding something else
        StoreRefused,   // the store refused the row (a repeated id, say): storeError says why
    };
    Kind kind;
    qint64 line = 0;
    QString column;
    QString value;
    QString detail;
    std::optional<store::StoreError> storeError; // StoreRefused: the store's error
};

struct ImportOutcome {
    qint64 rows = 0;
    Encoding encoding = Encoding::Utf8;
    std::optional<ImportRefusal> refusal; // set when nothing was added
};

// Bytes read of all; called now and then on a long import.
using ImportProgress = std::function<void(qint64 done, qint64 total)>;

// Adds the CSV records to the table in one transaction, all or none. The first record names the
// columns, in any order; columns it leaves out are empty (numbers NULL); tab's id is ignored, so
// rows get new ones. Number columns take whole numbers within a long integer or nothing.
// Store failures throw StoreError, with nothing added.
ImportOutcome importCsv(store::QueryChannel &channel, const QString &table, QByteArrayView bytes,
                        const ImportProgress &progress = {});

} // namespace transfer
