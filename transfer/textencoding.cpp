#include "transfer/textencoding.h"

#include <algorithm>
#include <optional>

namespace transfer {

namespace {

constexpr QByteArrayView kByteOrderMark("\xEF\xBB\xBF");

bool isAscii(QByteArrayView line)
{
    return std::all_of(line.begin(), line.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

} // namespace

DetectedEncoding detectEncoding(QByteArrayView bytes)
{
    if (bytes.isValidUtf8())
        return {Encoding::Utf8, 0};
    std::optional<Encoding> first;
    if (bytes.startsWith(kByteOrderMark))
        first = Encoding::Utf8;
    qint64 line = 1;
    qsizetype start = 0;
    while (start <= bytes.size()) {
        qsizetype end = start;
        while (end < bytes.size() && bytes[end] != '\n' && bytes[end] != '\r')
            ++end;
        const QByteArrayView text = bytes.sliced(start, end - start);
        if (!isAscii(text)) {
            const Encoding encoding = text.isValidUtf8() ? Encoding::Utf8 : Encoding::Windows1251;
            if (!first)
                first = encoding;
            else if (encoding != *first)
                return {*first, line};
        }
        // CR LF is one line break, as a lone CR or LF is.
        if (end + 1 < bytes.size() && bytes[end] == '\r' && bytes[end + 1] == '\n')
            ++end;
        start = end + 1;
        ++line;
    }
    return {first.value_or(Encoding::Windows1251), 0};
}

} // namespace transfer
