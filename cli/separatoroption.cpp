#include "cli/separatoroption.h"

namespace cli {

namespace {

struct Separator {
    char sign;
    const char *name;
};

constexpr Separator kSeparators[] = {{',', "comma"}, {';', "semicolon"}, {'\t', "tab"}};

} // namespace

const QCommandLineOption kSeparatorOption(QStringLiteral("separator"),
                                          QStringLiteral("the CSV field separator: comma (the default for export), "
                                                         "semicolon or tab, or its sign"),
                                          QStringLiteral("SEP"));

std::optional<char> separatorNamed(const QString &text)
{
    for (const Separator &separator : kSeparators)
        if (text == QLatin1StringView(separator.name) || text == QLatin1Char(separator.sign))
            return separator.sign;
    return std::nullopt;
}

QString separatorName(char separator)
{
    for (const Separator &known : kSeparators)
        if (known.sign == separator)
            return QLatin1StringView(known.name);
    return QString(QLatin1Char(separator));
}

} // namespace cli
