#include "messages/permissiontext.h"

namespace messages {

QString permissionText(store::EntryAction action)
{
    using store::EntryAction;
    const QString ask = QStringLiteral("; обратитесь к администратору справочника.");
    switch (action) {
    case EntryAction::Read:
        return QStringLiteral("Этому пользователю нельзя читать записи справочника") + ask;
    case EntryAction::Add:
        return QStringLiteral("Этому пользователю нельзя добавлять записи в справочник") + ask;
    case EntryAction::Change:
        return QStringLiteral("Этому пользователю нельзя изменять записи справочника") + ask;
    case EntryAction::Delete:
        return QStringLiteral("Этому пользователю нельзя удалять записи справочника") + ask;
    }
    return QStringLiteral("Этому пользователю это действие запрещено") + ask;
}

QString notFoundMayNotAddText()
{
    return QStringLiteral("Такой записи в справочнике нет. ") + permissionText(store::EntryAction::Add);
}

} // namespace messages
