#include "phonescheme.h"

#include "databaseerror.h"
#include "querychannel.h"
#include "statements.h"

namespace lookup {

namespace {

// Like any store failure, the search ends with an empty grid: the param row must not stay open
// for editing behind an error box.
[[noreturn]] void refuse(store::QueryChannel &channel, const QString &text)
{
    channel.close();
    throw store::DatabaseError(text);
}

} // namespace

PhoneScheme readPhoneScheme(store::QueryChannel &channel)
{
    channel.run(statements::phoneScheme());
    if (channel.count() == 0)
        refuse(channel, QStringLiteral("Таблица param пуста: схема телефонных номеров не задана."));
    for (const QString &column : {QStringLiteral("s"), QStringLiteral("tel")}) {
        if (channel.value(column).isNull())
            refuse(channel, QStringLiteral("В таблице param не задано значение %1.").arg(column));
    }
    return {channel.integer(QStringLiteral("s")), channel.integer(QStringLiteral("tel"))};
}

} // namespace lookup
