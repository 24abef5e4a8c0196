#include "text/cp1251.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace cp1251 {

namespace {
constexpr const char *kName = "windows-1251";
// The page defines no character here; the converter would pass it through as U+0098.
constexpr char kUndefined = char(0x98);

// The page's upper half, decoded once; a character is in the page when it is ASCII or found here.
const QString &upperHalf()
{
    static const QString half = [] {
        QByteArray bytes;
        for (int b = 0x80; b <= 0xFF; ++b)
            if (char(b) != kUndefined)
                bytes.append(char(b));
        QStringDecoder dec(kName, QStringConverter::Flag::Stateless);
        return QString(dec.decode(bytes)).remove(QChar::ReplacementCharacter);
    }();
    return half;
}

bool inPage(QChar c)
{
    return c.unicode() < 0x80 || upperHalf().contains(c);
}

// Case mapping restricted to the page: a mapping that leaves the page (or comes from outside it)
// does not happen on Windows either, so it is refused.
QChar mapped(QChar c, bool upper)
{
    if (c.unicode() < 0x80)
        return upper ? QChar(c.toUpper()) : QChar(c.toLower());
    if (!inPage(c))
        return c;
    const QChar m = upper ? c.toUpper() : c.toLower();
    return inPage(m) ? m : c;
}
} // namespace

std::optional<QByteArray> encode(QStringView text)
{
    for (QChar c : text)
        if (!inPage(c))
            return std::nullopt;
    QStringEncoder enc(kName, QStringConverter::Flag::Stateless);
    return QByteArray(enc.encode(text));
}

QString decode(QByteArrayView bytes)
{
    QStringDecoder dec(kName, QStringConverter::Flag::Stateless);
    QString text = dec.decode(bytes);
    // One byte, one character: the undefined byte stands where its U+0098 does.
    if (undefinedByte(bytes))
        text.replace(QChar(0x98), QChar::ReplacementCharacter);
    return text;
}

std::optional<qsizetype> undefinedByte(QByteArrayView bytes)
{
    const qsizetype at = bytes.indexOf(kUndefined);
    return at < 0 ? std::nullopt : std::optional(at);
}

bool isCyrillicLetter(QChar c)
{
    const char16_t u = c.unicode();
    return u == 0x0401 || u == 0x0451 || (u >= 0x0410 && u <= 0x044F);
}

bool isStreetChar(QChar c)
{
    const char16_t u = c.unicode();
    return isCyrillicLetter(c) || (u >= '0' && u <= '9') || u == '-';
}

QString capitalised(const QString &text)
{
    QString out = text;
    for (QChar &c : out)
        c = mapped(c, false);
    if (!out.isEmpty())
        out[0] = mapped(out[0], true);
    return out;
}

} // namespace cp1251
