#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <string>
#include <vector>

namespace lookup {

// A reference table without some of the ids that invented entries draw from: those picks store an
// empty text, as the lookups are written to do, but an administrator should know.
struct PickGap {
    QString table;
    QString ids; // the ids missing, as runs: "3, 10-58"
};

// Runs a statement in SQLite's dialect and returns the first column of its rows.
using FirstColumn = std::function<QStringList(const std::string &sql)>;

// Every table that lacks ids its picks draw from: fam, im, im2, ot, ot2 and ul over the ranges the
// picks use, tel over 1 to its row count (id 1 even when it is empty, as the pick then draws).
std::vector<PickGap> pickGaps(const FirstColumn &firstColumn);

} // namespace lookup
