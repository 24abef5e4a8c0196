#pragma once

#include <QByteArrayView>

namespace transfer {

enum class Encoding { Utf8, Windows1251 };

// The encoding of a text file, and the first line (counted from 1, as CsvReader counts them) that is
// written in the other one; 0 when every line agrees.
struct DetectedEncoding {
    Encoding encoding = Encoding::Utf8;
    qint64 strayLine = 0;
};

// UTF-8 when the bytes are valid UTF-8, or a byte order mark says so; otherwise the encoding of the
// first line that is not plain ASCII. Cyrillic text in Windows-1251 is almost never valid UTF-8 by
// accident, so a later line of letters that is valid UTF-8, in a file that is not, was written in
// the other encoding: files pasted together from two sources.
DetectedEncoding detectEncoding(QByteArrayView bytes);

} // namespace transfer
