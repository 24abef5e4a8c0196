#pragma once

#include "store/storeerror.h"
#include "transfer/textencoding.h"

#include <QByteArrayView>
#include <QString>

#include <functional>
#include <optional>

namespace store {
class QueryChannel;
}

namespace transfer {

// Why a file was refused. The caller words it; line and column say where (line counted from 1,
// column as the header names it, or its position when the header names none there).
struct ImportRefusal {
    enum Kind {
        UnknownTable,       // not one of the directory's tables
        NoHeader,           // an empty file
        MixedEncodings,     // the line is in another encoding than the lines before it
        AmbiguousSeparator, // the header reads with each of the separators in value
        UnknownColumn,      // the header names a column the table lacks
        RepeatedColumn,     // the header names a column twice
        BrokenQuote,        // a quoted field never closed, or more after its closing quote
        FieldCount,         // a record with more or fewer fields than the header
        NotANumber,         // a number column holding something else
        OutOfRange,         // a whole number outside the column's range, lowest to highest
        NulCharacter,       // a text value holding the character U+0000
        TooLong,            // a text value of more characters (value) than the store keeps (detail)
        UndefinedByte,      // a byte Windows-1251 leaves undefined (value: its hex), in a file read as that page
        StoreRefused,       // the store refused the row (a repeated id, say): storeError says why
    };
    Kind kind;
    qint64 line = 0;
    QString column;
    QString value;
    QString detail;
    std::optional<store::StoreError> storeError; // StoreRefused: the store's error
    qint64 lowest = 0;                           // OutOfRange: the column's range
    qint64 highest = 0;
};

struct ImportOutcome {
    qint64 rows = 0;
    qint64 emptyRows = 0; // records whose every field is empty (a spreadsheet's ";;;;"), skipped
    Encoding encoding = Encoding::Utf8;
    std::optional<ImportRefusal> refusal; // set when nothing was added
};

// Bytes read of all; called now and then on a long import.
using ImportProgress = std::function<void(qint64 done, qint64 total)>;

// Adds the CSV records to the table in one transaction, all or none. The first record names the
// columns, in any order; columns it leaves out are empty (numbers NULL); tab's id is ignored, so
// rows get new ones; a record whose every field is empty adds no row. The fields are separated by the separator given, or else by the one the
// header is written with (kCsvSeparators). Number columns take whole numbers within a long integer
// or nothing; text columns take up to store::kTextValueLimit characters, none of them U+0000.
// Store failures throw StoreError, with nothing added.
ImportOutcome importCsv(store::QueryChannel &channel, const QString &table, QByteArrayView bytes,
                        std::optional<char> separator = std::nullopt, const ImportProgress &progress = {});

} // namespace transfer
