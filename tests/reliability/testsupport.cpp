#include "tests/reliability/testsupport.h"

#include <QRegularExpression>

#include <cctype>

std::string testNameFrom(const QString &description)
{
    std::string name = description.toStdString();
    for (char &c : name)
        if (!std::isalnum(static_cast<unsigned char>(c)))
            c = '_';
    return name;
}

bool saysReadOnly(const QString &message)
{
    static const QRegularExpression readOnly(QStringLiteral("read-?only|только для чтения"),
                                             QRegularExpression::CaseInsensitiveOption);
    return message.contains(readOnly);
}
