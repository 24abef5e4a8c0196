#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// The one place that knows the Windows-1251 code page. Text lives as UTF-8/UTF-16 everywhere else;
// this module answers only where the program's rules count bytes or classes of bytes of that page.
namespace cp1251 {

// Bytes of the text in Windows-1251, or nothing when a character has no byte there.
std::optional<QByteArray> encode(QStringView text);
// Every byte decodes; 0x98, the one byte the page leaves undefined, becomes U+FFFD.
QString decode(QByteArrayView bytes);
// Where the first byte the page leaves undefined (0x98) stands, or nothing when every byte is a
// character: text that must not change silently is refused there rather than decoded.
std::optional<qsizetype> undefinedByte(QByteArrayView bytes);

// A Cyrillic letter of the page: 0xA8 (Ё), 0xB8 (ё), 0xC0..0xFF (А..я).
bool isCyrillicLetter(QChar c);
// A Cyrillic letter, an ASCII digit or the hyphen.
bool isStreetChar(QChar c);

// Lower case, then the first character upper case, by the page's own case rules; characters that
// the page does not hold are left as they are.
QString capitalised(const QString &text);

} // namespace cp1251
