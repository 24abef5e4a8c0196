#include "lookup/phonescheme.h"

#include "store/storeerror.h"
#include "store/querychannel.h"
#include "lookup/statements.h"

namespace lookup {

namespace {

// Like any store failure, the search ends with an empty grid: the param row must not stay open
// for editing behind an error box.
[[noreturn]] void refuse(store::QueryChannel &channel, const QString &text)
{
    channel.close();
    throw store::StoreError(text);
}

} // namespace

PhoneScheme readPhoneScheme(store::QueryChannel &channel)
{
    const auto unset = [&channel](const QString &column) {
        refuse(channel, QStringLiteral("В таблице param не задано значение %1.").arg(column));
    };
    channel.run(statements::phoneScheme());
    if (channel.count() == 0)
        refuse(channel, QStringLiteral("Таблица param пуста: схема телефонных номеров не задана."));
    if (channel.value(QStringLiteral("s")).isNull())
        unset(QStringLiteral("s"));
    PhoneScheme scheme{channel.integer(QStringLiteral("s")) != 0, 0};
    if (scheme.prefixed)
        return scheme;
    if (channel.value(QStringLiteral("tel")).isNull())
        unset(QStringLiteral("tel"));
    scheme.fixedLength = channel.integer(QStringLiteral("tel"));
    if (scheme.fixedLength < 1 || scheme.fixedLength > kLongestPhone)
        refuse(channel, QStringLiteral("В таблице param значение tel (%1) не годится для длины номера телефона: "
                                       "нужно число от 1 до %2.")
                            .arg(scheme.fixedLength)
                            .arg(kLongestPhone));
    return scheme;
}

} // namespace lookup
