#pragma once

#include <QString>

namespace store {

// One thing zelvik-cli check finds that the program would stumble over although the engine finds the
// store sound. Data only: the command words it.
struct AuditProblem {
    enum class Kind {
        TableNotReadable,   // table; login: the server's login that may not read it
        TableMissing,       // table
        ColumnMissing,      // table, column
        PhoneSchemeNotSet,  // param holds no row that sets the numbering scheme
        TextHoldsNul,       // table, column, rowId
        TextTooLong,        // table, column, rowId; length
        MoreUnfitTexts,     // table: more rows than those named hold such texts
        ColumnNotLimited,   // table, column: the server does not hold it to the text limit
        ChangesReadByAll,   // table: the record of changes, which every login may read
        EditorsChangeIds,   // the directory's editors may change an entry's id
    };
    Kind kind;
    QString table = {};
    QString column = {};
    QString rowId = {};
    QString login = {};
    qint64 length = 0;
};

} // namespace store
