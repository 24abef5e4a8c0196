// The character classes of the search fields (Cyrillic letters; street characters), checked one
// character at a time against the Windows-1251 bytes they stand for, and as whole fields through
// the search's own checks. Also: the code page itself round-trips.
#include "tests/fuzz/fuzzcheck.h"

#include "text/cp1251.h"
#include "lookup/validation.h"
#include "store/schema.h"

#include <QString>

#include <cstdint>

namespace {

// The rule in bytes: Ё (0xA8), ё (0xB8) and А to я (0xC0 to 0xFF) of Windows-1251. Here the byte
// comes from the page's own encoder, and the letter question is asked of it.
bool letterByte(unsigned char b)
{
    return b == 0xA8 || b == 0xB8 || b >= 0xC0;
}

bool referenceLetter(QChar c)
{
    const std::optional<QByteArray> bytes = cp1251::encode(QString(c));
    return bytes && bytes->size() == 1 && letterByte(static_cast<unsigned char>(bytes->at(0)));
}

bool referenceStreet(QChar c)
{
    return referenceLetter(c) || (c >= u'0' && c <= u'9') || c == u'-';
}

bool all(const QString &text, bool (*inClass)(QChar))
{
    for (QChar c : text)
        if (!inClass(c))
            return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    // Half the inputs are Windows-1251 bytes, the other half raw UTF-16 code units.
    const bool asPage = size > 0 && (data[0] & 1);
    const QString text = asPage ? cp1251::decode(QByteArrayView(data + 1, qsizetype(size - 1)))
                                : QString(reinterpret_cast<const QChar *>(data), qsizetype(size / 2));

    for (QChar c : text) {
        FUZZ_REQUIRE(cp1251::isCyrillicLetter(c) == referenceLetter(c), "U+%04X", unsigned(c.unicode()));
        FUZZ_REQUIRE(cp1251::isStreetChar(c) == referenceStreet(c), "U+%04X", unsigned(c.unicode()));
    }

    // The page round-trips: what decodes encodes back to the same bytes (0x98 has no character).
    if (asPage) {
        const QByteArray bytes(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
        if (!bytes.contains('\x98')) {
            const std::optional<QByteArray> again = cp1251::encode(text);
            FUZZ_REQUIRE(again && *again == bytes, "bytes of %lld do not round-trip", (long long)bytes.size());
        }
    } else if (const std::optional<QByteArray> bytes = cp1251::encode(text)) {
        FUZZ_REQUIRE(cp1251::decode(*bytes) == text, "text of %lld characters does not round-trip", (long long)text.size());
    }

    // The same classes decide the search's checks, field by field.
    using enum store::EntryField;
    for (const auto field : {Surname, GivenName, Patronymic, Street}) {
        lookup::SearchFields fields;
        fields[Surname] = QStringLiteral("Иванов");
        fields[Phone] = QStringLiteral("1"); // so that an empty surname is no problem of its own
        fields[field] = text;
        // Past the longest text a store keeps, a field fails however right its characters are.
        const bool passes = text.size() <= store::kTextValueLimit
            && (field == Street ? all(text, referenceStreet) : all(text, referenceLetter));
        const lookup::Verdict verdict = lookup::validate(fields);
        FUZZ_REQUIRE(verdict.red[field] == !passes, "field %d of %lld characters", int(field), (long long)text.size());
        FUZZ_REQUIRE(verdict.passed() == passes, "field %d message", int(field));
    }
    return 0;
}
