#include "messages/fieldtitles.h"

#include <array>

namespace messages {

namespace {

// Built on first use: zelvik-cli's option tables read it while statics are still being made.
const std::array<FieldWords, store::kEntryFieldCount> &fields()
{
    // In the order of store::EntryField.
    static const std::array<FieldWords, store::kEntryFieldCount> table{{
        {QStringLiteral("Фамилия"), QStringLiteral("Фамилия"), QStringLiteral("фамилия")},
        {QStringLiteral("Имя"), QStringLiteral("Имя"), QStringLiteral("имя")},
        {QStringLiteral("Отчество"), QStringLiteral("Отчество"), QStringLiteral("отчество")},
        {QStringLiteral("Телефон"), QStringLiteral("Телефон"), QStringLiteral("номер телефона")},
        {QStringLiteral("Улица"), QStringLiteral("Улица"), QStringLiteral("улица")},
        {QStringLiteral("Дом"), QStringLiteral("Дом"), QStringLiteral("дом")},
        {QStringLiteral("/"), QStringLiteral("Дробь"), QStringLiteral("дробь")},
        {QStringLiteral("Квартира"), QStringLiteral("Квартира"), QStringLiteral("квартира")},
    }};
    return table;
}

} // namespace

const FieldWords &fieldWords(store::EntryField field)
{
    return fields()[field];
}

QString columnTitle(int field)
{
    return field >= 0 && field < store::kEntryFieldCount ? fields()[field].title : QString();
}

} // namespace messages
