#include "cli/output.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

TEST(Output, ControlCharactersAndBackslashAreEscaped)
{
    EXPECT_EQ(cli::escaped(u"a\tb\nc\rd\\e"_s), u"a\\tb\\nc\\rd\\\\e"_s);
}

TEST(Output, OtherTextIsLeftAsItIs)
{
    EXPECT_EQ(cli::escaped(u"Иванов \"8-Марта\" 'x' /n"_s), u"Иванов \"8-Марта\" 'x' /n"_s);
    EXPECT_EQ(cli::escaped(QString()), QString());
}

TEST(Output, EscapedTextCannotForgeAFieldOrLine)
{
    // Whatever a value holds, the line keeps one field per column and stays one line.
    const QString nasty = u"\t\\t\n\\\\n\r"_s;
    const QString field = cli::escaped(nasty);
    EXPECT_FALSE(field.contains(u'\t'));
    EXPECT_FALSE(field.contains(u'\n'));
    EXPECT_FALSE(field.contains(u'\r'));
    EXPECT_EQ(field, u"\\t\\\\t\\n\\\\\\\\n\\r"_s);
}

TEST(Output, NullIsEmptyAndNumbersAreDecimal)
{
    EXPECT_EQ(cli::fieldText(QVariant()), QString());
    EXPECT_EQ(cli::fieldText(QVariant(qint64(-42))), u"-42"_s);
    EXPECT_EQ(cli::fieldText(QVariant(u"0495"_s)), u"0495"_s);
    EXPECT_EQ(cli::fieldText(QVariant(1.5)), u"1.5"_s);
}
