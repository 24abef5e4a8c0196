#include "messages/windowtext.h"

namespace messages {

QString storeConnectedText(bool connected)
{
    return connected ? QStringLiteral("База данных подключена") : QStringLiteral("База не подключена");
}

QString unsavedRowText()
{
    return QStringLiteral("Изменённая запись не сохранена.");
}

QString closeWithoutSavingLabel()
{
    return QStringLiteral("Закрыть без сохранения");
}

QString dropEditLabel()
{
    return QStringLiteral("Отменить правку");
}

QString networkShareText()
{
    return QStringLiteral("Файл history.dat лежит на сетевом диске. Работать с ним одновременно с нескольких "
                          "компьютеров нельзя: для этого нужен сервер PostgreSQL (строка server= в conf.cfg).");
}

QString noOtherDatabasesText()
{
    return QStringLiteral("Других баз данных не найдено.");
}

} // namespace messages
