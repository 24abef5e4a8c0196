// The capitalised form of names (lower case, then the first character upper case, by the case rules
// of Windows-1251), against a case table of the page written out here.
#include "tests/fuzz/fuzzcheck.h"

#include "text/cp1251.h"

#include <QString>

#include <cstdint>
#include <utility>

namespace {

// Every letter pair of Windows-1251: Latin, Russian, and the other Cyrillic letters of the page.
const std::pair<char16_t, char16_t> kPairs[] = {
    {u'Ё', u'ё'}, {u'Ђ', u'ђ'}, {u'Ѓ', u'ѓ'}, {u'Є', u'є'}, {u'Ѕ', u'ѕ'}, {u'І', u'і'}, {u'Ї', u'ї'},
    {u'Ј', u'ј'}, {u'Љ', u'љ'}, {u'Њ', u'њ'}, {u'Ћ', u'ћ'}, {u'Ќ', u'ќ'}, {u'Ў', u'ў'}, {u'Џ', u'џ'},
    {u'Ґ', u'ґ'},
};

char16_t lower(char16_t c)
{
    if ((c >= u'A' && c <= u'Z') || (c >= u'А' && c <= u'Я'))
        return char16_t(c + (c <= u'Z' ? u'a' - u'A' : u'а' - u'А'));
    for (const auto &[upper, small] : kPairs)
        if (c == upper)
            return small;
    return c;
}

char16_t upper(char16_t c)
{
    if ((c >= u'a' && c <= u'z') || (c >= u'а' && c <= u'я'))
        return char16_t(c - (c <= u'z' ? u'a' - u'A' : u'а' - u'А'));
    for (const auto &[capital, small] : kPairs)
        if (c == small)
            return capital;
    return c;
}

QString reference(const QString &text)
{
    QString out = text;
    for (QChar &c : out)
        c = QChar(lower(c.unicode()));
    if (!out.isEmpty())
        out[0] = QChar(upper(out[0].unicode()));
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    // Mostly text of the page (where the table is the whole truth); sometimes any UTF-16, where only
    // the general properties hold.
    const bool ofThePage = size == 0 || data[0] != 0xFF;
    const QString text = ofThePage ? cp1251::decode(QByteArrayView(data, qsizetype(size)))
                                   : QString(reinterpret_cast<const QChar *>(data + 1), qsizetype((size - 1) / 2));
    const QString result = cp1251::capitalised(text);

    FUZZ_REQUIRE(result.size() == text.size(), "length %lld became %lld", (long long)text.size(), (long long)result.size());
    FUZZ_REQUIRE(cp1251::capitalised(result) == result, "not settled after one pass: \"%s\"", result.toUtf8().constData());
    if (ofThePage) {
        FUZZ_REQUIRE(result == reference(text), "\"%s\" became \"%s\", the table says \"%s\"", text.toUtf8().constData(),
                     result.toUtf8().constData(), reference(text).toUtf8().constData());
        // The page's undefined byte decodes to no character of it; every other stays inside.
        FUZZ_REQUIRE(cp1251::undefinedByte(QByteArrayView(data, qsizetype(size))) || cp1251::encode(result).has_value(),
                     "left the page: \"%s\"", result.toUtf8().constData());
    } else {
        // Characters the page does not hold are left as they are.
        for (qsizetype i = 0; i < text.size(); ++i)
            if (!cp1251::encode(QString(text[i])))
                FUZZ_REQUIRE(result[i] == text[i], "U+%04X outside the page was changed", unsigned(text[i].unicode()));
    }
    return 0;
}
