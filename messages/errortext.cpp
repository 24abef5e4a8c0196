#include "messages/errortext.h"

#include "config/conffile.h"
#include "messages/fieldtitles.h"
#include "store/entryfield.h"
#include "messages/permissiontext.h"
#include "store/grid/gridrefusal.h"
#include "store/storeerror.h"
#include "store/provisioning/datafilechecks.h"
#include "store/schema.h"

#include <optional>

namespace messages {

namespace {

using Kind = store::StoreError::Kind;

// A server as the store names it (libpq's host, port and database); the store leaves the name empty
// when libpq cannot read the connection string, and says so in the details.
QString serverShown(const QString &name)
{
    return name.isEmpty() ? QStringLiteral("сервер") : name;
}

// The engine's own text, after the user's words, on a line of its own.
QString withParticulars(const QString &text, const QString &engine)
{
    return engine.isEmpty() ? text : text + QStringLiteral("\nПодробности: ") + engine;
}

// A refused statement's first word, as the action on the entries it is.
std::optional<store::EntryAction> actionOf(const QString &word)
{
    if (word == QLatin1String("select"))
        return store::EntryAction::Read;
    if (word == QLatin1String("insert"))
        return store::EntryAction::Add;
    if (word == QLatin1String("update"))
        return store::EntryAction::Change;
    if (word == QLatin1String("delete"))
        return store::EntryAction::Delete;
    return std::nullopt;
}

QString notPermittedStatementText(const QString &word)
{
    if (const std::optional<store::EntryAction> action = actionOf(word))
        return permissionText(*action);
    return QStringLiteral("Этому пользователю нельзя выполнять «%1» в справочнике; обратитесь к "
                          "администратору справочника.")
        .arg(word);
}

// The words of the error itself, without the places it happened in.
QString kindText(const store::StoreError &error)
{
    const QStringList &d = error.details();
    const QString cause = error.cause() ? errorText(*error.cause()) : QString();
    switch (error.kind()) {
    case Kind::EngineFailure:
        return withParticulars(QStringLiteral("Ошибка базы данных."), d.value(0));
    case Kind::OutOfMemory:
        return withParticulars(QStringLiteral("Недостаточно памяти для работы с базой данных"), d.value(0));
    case Kind::DiskIoFailure:
        return withParticulars(d.value(0).isEmpty()
                                   ? QStringLiteral("Ошибка чтения или записи на диске.")
                                   : QStringLiteral("Ошибка чтения или записи файла %1 на диске.").arg(d.value(0)),
                               d.value(1));
    case Kind::ReadOnlyFile:
        return withParticulars(QStringLiteral("Файл %1 открыт только для чтения: ничего не сохранено.").arg(d.value(0)),
                               d.value(1));
    case Kind::DamagedFile:
        return QStringLiteral("Файл %1 повреждён: %2; список неполадок выводит zelvik-cli check").arg(d.value(0), d.value(1));
    case Kind::DirectoryFileMissing:
        return QStringLiteral("Файл базы данных db.dat не найден!");
    case Kind::HistoryFileMissing:
        return QStringLiteral("Файл привязок history.dat не найден!");
    case Kind::ServerUnavailable:
        return QStringLiteral("Справочник на сервере недоступен: ") + cause;
    case Kind::FileMissing:
        return QStringLiteral("%1: файл не найден").arg(d.value(0));
    case Kind::NotADirectoryFile:
        return QStringLiteral("%1: это не файл справочника (в нём нет таблицы tab)").arg(d.value(0));
    case Kind::PendingLog:
        return QStringLiteral("%1: файл нельзя прочитать, пока в его папку нельзя писать: в %2 есть изменения, "
                              "которых ещё нет в файле")
            .arg(d.value(0), d.value(1));
    case Kind::NetworkShareJournal:
        return withParticulars(QStringLiteral("%1: файл лежит в сетевой папке, где ему нельзя оставаться в режиме WAL, "
                                              "а вывести его из этого режима не удалось.")
                                   .arg(d.value(0)),
                               d.value(1));
    case Kind::CollationNotRegistered:
        return withParticulars(QStringLiteral("Не удалось подключить сравнение текста без учёта регистра букв."), d.value(0));
    case Kind::ServerUnreachable:
        return withParticulars(
            QStringLiteral("Не удалось подключиться к серверу справочника (%1).").arg(serverShown(d.value(0))),
            d.value(1));
    case Kind::ServerLost:
        return withParticulars(QStringLiteral("Связь с сервером справочника (%1) прервалась; следующий запрос "
                                              "подключится заново.")
                                   .arg(serverShown(d.value(0))),
                               d.value(1));
    case Kind::ServerLoginRefused:
        return withParticulars(QStringLiteral("Сервер справочника (%1) не принял вход: неверный пароль или такого "
                                              "пользователя нет. Проверьте user= в строке подключения и пароль в "
                                              "~/.pgpass.")
                                   .arg(serverShown(d.value(0))),
                               d.value(1));
    case Kind::ServerPasswordMissing:
        return withParticulars(QStringLiteral("Сервер справочника (%1) требует пароль, а его не нашлось: запишите его "
                                              "в ~/.pgpass (или в файл, который называет PGPASSFILE).")
                                   .arg(serverShown(d.value(0))),
                               d.value(1));
    case Kind::ServerDatabaseMissing:
        return withParticulars(QStringLiteral("На сервере справочника (%1) нет базы данных с таким именем: проверьте "
                                              "dbname= в строке подключения (базу создаёт администратор сервера).")
                                   .arg(serverShown(d.value(0))),
                               d.value(1));
    case Kind::ServerNotLetIn:
        return withParticulars(QStringLiteral("Сервер справочника (%1) не пускает этого пользователя к этой базе с "
                                              "этого компьютера: в его pg_hba.conf нет подходящей строки (её "
                                              "добавляет администратор сервера).")
                                   .arg(serverShown(d.value(0))),
                               d.value(1));
    case Kind::ServerRootCertificateMissing:
        return withParticulars(QStringLiteral("Нет файла %2 с сертификатом центра сертификации (sslrootcert): "
                                              "подключение к серверу справочника (%1) не установлено.")
                                   .arg(serverShown(d.value(0)), d.value(1)),
                               d.value(2));
    case Kind::ConnectionStringUnreadable:
        return QStringLiteral("Строку подключения к серверу справочника не удалось разобрать: проверьте её (сама "
                              "строка не показывается, в ней может быть пароль).");
    case Kind::NotPermitted:
        return withParticulars(notPermittedStatementText(d.value(0)), d.value(1));
    case Kind::DirectoryBusy:
        return withParticulars(QStringLiteral("В справочник сейчас записывает другая программа: повторите попытку "
                                              "через некоторое время."),
                               d.value(0));
    case Kind::ServerWithoutDirectory:
        return QStringLiteral("%1: на сервере нет таблиц справочника (их создаёт zelvik-cli init --server)")
            .arg(serverShown(d.value(0)));
    case Kind::ServerHoldsTables:
        return QStringLiteral("%1: на сервере уже есть таблицы справочника: %2").arg(serverShown(d.value(0)), d.value(1));
    case Kind::ServerBeingFilled:
        return QStringLiteral("%1: справочник на этом сервере сейчас создаёт другой запуск (zelvik-cli copy или "
                              "init --server); повторите, когда он закончит")
            .arg(serverShown(d.value(0)));
    case Kind::ServerLibraryNotLoaded:
        return withParticulars(QStringLiteral("Не удалось загрузить библиотеку %1, без неё сервер недоступен.").arg(d.value(0)),
                               d.value(1));
    case Kind::ServerLibraryIncomplete:
        return QStringLiteral("В библиотеке %1 нет функции %2, без неё сервер недоступен").arg(d.value(0), d.value(1));
    case Kind::NotAnInteger:
        return QStringLiteral("«%1» — не целое число").arg(d.value(0));
    case Kind::NoSuchColumn:
        return QStringLiteral("В результате нет столбца %1").arg(d.value(0));
    case Kind::EmptyStatement:
        return QStringLiteral("Запрос пуст");
    case Kind::TextAfterStatement:
        return QStringLiteral("После конца запроса есть ещё текст: выполняется только один запрос");
    case Kind::UnboundParameter:
        return QStringLiteral("Для параметра %1 не передано значение").arg(d.value(0));
    case Kind::ParameterCountMismatch:
        return QStringLiteral("Параметров в запросе: %1, а значений передано: %2").arg(d.value(0), d.value(1));
    case Kind::TopWithoutCount:
        return QStringLiteral("Ошибка в запросе: после «select top» нужно целое число строк");
    case Kind::TopPercent:
        return QStringLiteral("Ошибка в запросе: «select top N percent» не поддерживается");
    case Kind::UnterminatedText:
        return QStringLiteral("Ошибка в запросе: не закрыта кавычка текстовой строки");
    case Kind::NulInStatement:
        return QStringLiteral("Ошибка в запросе: в нём есть символ NUL");
    case Kind::TablesNotCreated:
        return withParticulars(QStringLiteral("Не удалось создать таблицы справочника."), d.value(0));
    case Kind::SampleDataUnreadable:
        return withParticulars(QStringLiteral("Не удалось прочитать образец справочника %1.").arg(d.value(0)), d.value(1));
    case Kind::SampleParamMissing:
        return QStringLiteral("В образце справочника (param.txt) нет числа %1").arg(d.value(0));
    case Kind::FileExists:
        return QStringLiteral("%1: файл уже существует и не заменяется").arg(d.value(0));
    case Kind::FileNotStaged:
        return withParticulars(QStringLiteral("%1: рядом с ним не удалось создать новый файл.").arg(d.value(0)), d.value(1));
    case Kind::FileNotPublished:
        return withParticulars(QStringLiteral("%1: новому файлу не удалось дать это имя.").arg(d.value(0)), d.value(1));
    case Kind::FileNotWritten:
        return withParticulars(QStringLiteral("%1: файл не удалось записать.").arg(d.value(0)), d.value(1));
    case Kind::RegionNotEncodable:
        return QStringLiteral("%1: название региона нельзя записать одной строкой в кодировке Windows-1251")
            .arg(d.value(0));
    case Kind::ServerFolderIncomplete:
        return cause + QStringLiteral(" (таблицы на сервере остаются)");
    case Kind::TableNotWritten:
        return withParticulars(QStringLiteral("Не удалось записать таблицу."), d.value(0));
    case Kind::RowNotWritten:
        return QStringLiteral("Таблица %1, строка %2 не записана: %3").arg(d.value(0), d.value(1), cause);
    case Kind::ParamTableEmpty:
        return QStringLiteral("Таблица param пуста: схема телефонных номеров не задана.");
    case Kind::ParamValueMissing:
        return QStringLiteral("В таблице param не задано значение %1.").arg(d.value(0));
    case Kind::PhoneLengthUnfit:
        return QStringLiteral("В таблице param значение tel (%1) не годится для длины номера телефона: "
                              "нужно число от 1 до %2.")
            .arg(d.value(0), d.value(1));
    case Kind::ServerCertificateUntrusted:
        return withParticulars(QStringLiteral("Сертификат сервера справочника (%1) не подписан центром сертификации "
                                              "из sslrootcert: подключение не установлено.")
                                   .arg(serverShown(d.value(0))),
                               d.value(1));
    case Kind::ServerCertificateMismatch:
        return withParticulars(QStringLiteral("Сертификат сервера справочника (%1) выдан другому имени, чем указано в "
                                              "host: подключение не установлено.")
                                   .arg(serverShown(d.value(0))),
                               d.value(1));
    case Kind::ServerWithoutEncryption:
        return withParticulars(QStringLiteral("Сервер справочника (%1) не поддерживает шифрование (TLS), а строка "
                                              "подключения требует его (sslmode).")
                                   .arg(serverShown(d.value(0))),
                               d.value(1));
    case Kind::ServerRequiresEncryption:
        return withParticulars(QStringLiteral("Сервер справочника (%1) не принимает подключение без шифрования: задайте "
                                              "в строке подключения sslmode=verify-full и sslrootcert.")
                                   .arg(serverShown(d.value(0))),
                               d.value(1));
    case Kind::NulInText:
        return QStringLiteral("Текст «%1…» не принят: в нём есть символ NUL (код 0), а текст с ним справочник "
                              "не хранит")
            .arg(d.value(0));
    case Kind::TextTooLong:
        return QStringLiteral("Текст «%1…» не принят: его длина %2, а справочник хранит текст не длиннее %3 символов")
            .arg(d.value(0), d.value(1), d.value(2));
    case Kind::CellNotWritten:
        return QStringLiteral("Таблица %1, запись с id %2, столбец %3: %4").arg(d.value(0), d.value(1), d.value(2), cause);
    case Kind::RoleCreationNotAllowed:
        return QStringLiteral("Пользователь %1 не может создавать роли (нужен атрибут CREATEROLE)").arg(d.value(0));
    case Kind::RoleAdminMissing:
        return QStringLiteral("Пользователь %1 не может выдавать роль %2 (нужно право ADMIN на эту роль)")
            .arg(d.value(0), d.value(1));
    case Kind::TableNotOwned:
        return QStringLiteral("Пользователь %1 не владеет таблицей %2, а права на неё выдаёт только её владелец")
            .arg(d.value(0), d.value(1));
    case Kind::TextRefusedByStore: {
        const QString text = QStringLiteral("справочник хранит текст не длиннее %1 символов и без символа NUL (код 0)")
                                 .arg(store::kTextValueLimit);
        return d.value(0).isEmpty() ? QStringLiteral("Текст не сохранён: ") + text
                                    : QStringLiteral("Текст для столбца %1 не сохранён: ").arg(d.value(0)) + text;
    }
    case Kind::RoleNameTooLong:
        return QStringLiteral("Имя базы данных %1 занимает %2 байт, а можно не больше %3: роли справочника "
                              "называются по нему, и более длинные имена сервер обрезал бы. Переименуйте базу "
                              "данных (ALTER DATABASE ... RENAME TO ...)")
            .arg(d.value(0), d.value(1), d.value(2));
    case Kind::RoleMembersLeft:
        return QStringLiteral("На сервере остались роли справочника, который прежде был в базе данных с этим именем, "
                              "и в них состоят: %1. Новый справочник им не отдаётся: уберите их из ролей "
                              "(zelvik-cli revoke) или, если он им нужен, повторите с --keep-role-members")
            .arg(d.value(0));
    case Kind::LoginMissing:
        return QStringLiteral("На сервере нет пользователя (роли) %1").arg(d.value(0));
    case Kind::ServerTimedOut:
        return QStringLiteral("Сервер справочника (%1) не ответил за %2 с: запрос прерван, незаконченные изменения "
                              "отменены; следующий запрос подключится заново.")
            .arg(serverShown(d.value(0)), d.value(1));
    }
    return QStringLiteral("Ошибка базы данных (%1): %2").arg(int(error.kind())).arg(d.join(QStringLiteral("; ")));
}

} // namespace

QString passwordInConnectionText()
{
    return QStringLiteral("В строке подключения к серверу справочника записан пароль. Храните его в ~/.pgpass "
                          "(или в файле, который называет PGPASSFILE, или в файле служб pg_service.conf), а из "
                          "строки подключения уберите.");
}

QString replicaUnavailableText(const QString &replicaName)
{
    // A connection string libpq cannot read has no name to give.
    return QStringLiteral("Резервный сервер %1(строка replica= в conf.cfg) недоступен: поиск идёт на основном "
                          "сервере справочника.")
        .arg(replicaName.isEmpty() ? QString() : replicaName + u' ');
}

QString errorText(const store::StoreError &error)
{
    QString text;
    for (const QString &place : error.places())
        text += place + QStringLiteral(": ");
    return text + kindText(error);
}

QString nothingDoneText(NothingDone nothing)
{
    switch (nothing) {
    case NothingDone::Changed:
        return QStringLiteral("Ничего не изменено.");
    case NothingDone::Added:
        return QStringLiteral("Ничего не добавлено.");
    case NothingDone::Copied:
        return QStringLiteral("Ничего не скопировано.");
    }
    return {};
}

QString errorText(const store::StoreError &error, NothingDone nothing)
{
    return errorText(error) + u'\n' + nothingDoneText(nothing);
}

QString lineErrorText(qint64 line, const store::StoreError &error)
{
    return QStringLiteral("строка %1: %2").arg(line).arg(errorText(error));
}

QString refusalText(const store::GridRefusal &refusal)
{
    using Refusal = store::GridRefusal::Kind;
    switch (refusal.kind) {
    case Refusal::NotANumber:
        return QStringLiteral("В поле «%1» нужно целое число.").arg(columnTitle(refusal.field));
    case Refusal::RowDeleted:
        return QStringLiteral("Запись не сохранена: в базе данных её больше нет, возможно, её удалили. Её строка "
                              "убрана с экрана.");
    case Refusal::RowChanged:
        // One text for an edit and a delete alike: neither is done.
        return QStringLiteral("Запись оставлена как есть: её изменил другой пользователь, пока она была на экране. "
                              "Теперь в строке её новое содержимое.");
    case Refusal::TextTooLong:
        return QStringLiteral("Запись не сохранена: в поле «%1» можно не больше %2 символов.")
            .arg(columnTitle(refusal.field))
            .arg(store::kTextValueLimit);
    case Refusal::NulInText:
        return QStringLiteral("Запись не сохранена: в поле «%1» есть символ NUL (код 0), а текст с ним справочник "
                              "не хранит.")
            .arg(columnTitle(refusal.field));
    case Refusal::NotPermitted:
        return permissionText(refusal.action);
    }
    return QStringLiteral("Запись не сохранена.");
}

QString errorText(const config::ConfFileError &error)
{
    const QStringList &d = error.details;
    switch (error.kind) {
    case config::ConfFileError::Kind::Unreadable:
        return QStringLiteral("Не удалось прочитать файл %1: %2").arg(d.value(0), d.value(1));
    case config::ConfFileError::Kind::BadSeconds:
        return QStringLiteral("В файле conf.cfg строка %1= должна задавать число секунд больше нуля и не больше "
                              "суток (например, %1=5), а в ней «%2»")
            .arg(d.value(0), d.value(1));
    }
    return {};
}

QStringList missingDataFileMessages(const QString &server, std::chrono::milliseconds timeout)
{
    QStringList messages;
    for (const store::StoreError &problem : store::dataFileProblems(server, timeout))
        messages << errorText(problem);
    return messages;
}

} // namespace messages
