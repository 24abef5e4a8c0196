#include "lookup/phonescheme.h"

#include "store/storeerror.h"
#include "store/querychannel.h"
#include "store/schema.h"
#include "lookup/statements.h"

namespace lookup {

namespace {

// Like any store failure, the search ends with an empty grid: the param row must not stay open
// for editing behind an error box.
[[noreturn]] void refuse(store::QueryChannel &channel, store::StoreError::Kind kind, const QStringList &details = {})
{
    channel.close();
    throw store::StoreError(kind, details);
}

} // namespace

PhoneScheme readPhoneScheme(store::QueryChannel &channel)
{
    using Kind = store::StoreError::Kind;
    const auto unset = [&channel](const QString &column) { refuse(channel, Kind::ParamValueMissing, {column}); };
    channel.run(statements::phoneScheme());
    if (channel.count() == 0)
        refuse(channel, Kind::ParamTableEmpty);
    if (channel.value(QStringLiteral("s")).isNull())
        unset(QStringLiteral("s"));
    PhoneScheme scheme{channel.integer(QStringLiteral("s")) != 0, 0};
    if (scheme.prefixed)
        return scheme;
    if (channel.value(QStringLiteral("tel")).isNull())
        unset(QStringLiteral("tel"));
    scheme.fixedLength = channel.integer(QStringLiteral("tel"));
    if (scheme.fixedLength < 1 || scheme.fixedLength > store::kLongestPhone)
        refuse(channel, Kind::PhoneLengthUnfit, {QString::number(scheme.fixedLength), QString::number(store::kLongestPhone)});
    return scheme;
}

} // namespace lookup
