#include "tests/reliability/hostiletexts.h"

namespace {

QList<HostileText> makeHostileTexts()
{
    const QString cyrillic = QStringLiteral("абвгдеёжзийклмнопрстуфхцчшщъыьэюяАБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ");
    QString controls;
    for (char16_t c = 1; c < 0x20; ++c)
        controls += QChar(c);
    controls += QChar(0x7F);

    return {
        {QStringLiteral("double quote"), QStringLiteral("\"")},
        {QStringLiteral("doubled double quotes"), QStringLiteral("a\"\"b\"\"\"\"")},
        {QStringLiteral("single quote"), QStringLiteral("O'Brien''s")},
        {QStringLiteral("closing quote and or 1=1"), QStringLiteral("\" or 1=1 or fam=\"")},
        {QStringLiteral("closing quote and comment"), QStringLiteral("x\" --")},
        {QStringLiteral("or 1=1 without quotes"), QStringLiteral("1 or 1=1")},
        {QStringLiteral("second statement"), QStringLiteral("\"); delete from tab; --")},
        {QStringLiteral("single-quoted second statement"), QStringLiteral("'); drop table tab; --")},
        {QStringLiteral("comment marks"), QStringLiteral("-- /* */ # ;")},
        {QStringLiteral("brackets and backticks"), QStringLiteral("[tab] `fam` [\"]")},
        {QStringLiteral("parameter marks"), QStringLiteral("? ?1 :a @b $c")},
        {QStringLiteral("NUL inside"), QStringLiteral("до") + QChar(0) + QStringLiteral("после")},
        {QStringLiteral("NUL alone"), QString(QChar(0))},
        {QStringLiteral("control characters"), controls},
        {QStringLiteral("beyond the code page"), QStringLiteral("Ω ü 漢字 😀")},
        {QStringLiteral("1 MB of quotes and separators"), QStringLiteral("\"';--").repeated(kLongText / 5)},
        {QStringLiteral("1 MB of Cyrillic letters"), cyrillic.repeated(kLongText / cyrillic.size())},
        {QStringLiteral("1 MB of spaces before a number"), QString(kLongText, u' ') + QStringLiteral("5")},
    };
}

} // namespace

const QList<HostileText> &hostileTexts()
{
    static const QList<HostileText> texts = makeHostileTexts();
    return texts;
}
