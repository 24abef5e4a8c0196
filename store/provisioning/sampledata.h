#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace store {

// The reference data delivered with the program (data/*.txt, built in as resources). Each file is
// plain UTF-8 with one value a line; line n is the row with id n.
struct ReferenceRows {
    QString table;
    QString column;
    QStringList values; // values[0] has id 1
};

struct ParamRow {
    qint64 s = 0;
    qint64 tel = 0;
};

// fam, im, im2, ot, ot2, ul and tel. Throws StoreError when a file cannot be read.
QList<ReferenceRows> sampleReferenceRows();
// The param row, from "s=..." and "tel=..." lines. Throws StoreError when one is missing or not a number.
ParamRow sampleParam();

} // namespace store
