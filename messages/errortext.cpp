#include "messages/errortext.h"

#include "config/conffile.h"
#include "store/entryfield.h"
#include "store/storeerror.h"
#include "store/provisioning/datafilechecks.h"

#include <array>

namespace messages {

using Kind = store::StoreError::Kind;

QString columnTitle(int field)
{
    static const std::array<QString, store::kEntryFieldCount> titles{
        QStringLiteral("Фамилия"), QStringLiteral("Имя"), QStringLiteral("Отчество"), QStringLiteral("Телефон"),
        QStringLiteral("Улица"),   QStringLiteral("Дом"), QStringLiteral("/"),        QStringLiteral("Квартира"),
    };
    return field >= 0 && field < int(titles.size()) ? titles[field] : QString();
}

QString errorText(const store::StoreError &error)
{
    const QStringList &d = error.details();
    QString text;
    switch (error.kind()) {
    case Kind::Failure:
    case Kind::Import:
        text = d.value(0);
        break;
    case Kind::ReadOnlyFile:
        text = QStringLiteral("Файл %1 открыт только для чтения: ничего не сохранено (%2)").arg(d.value(0), d.value(1));
        break;
    case Kind::DamagedFile:
        text = QStringLiteral("Файл %1 повреждён: %2; список неполадок выводит zelvik-cli check")
                   .arg(d.value(0), d.value(1));
        break;
    case Kind::NotANumber:
        text = QStringLiteral("В поле «%1» нужно целое число.").arg(columnTitle(d.value(0).toInt()));
        break;
    case Kind::RowDeleted:
        text = QStringLiteral("Запись не сохранена: в базе данных её больше нет, возможно, её удалили.");
        break;
    case Kind::RowChanged:
        text = QStringLiteral("Запись не сохранена: её изменил другой пользователь. Отмените правку (Esc) "
                              "и повторите поиск, чтобы увидеть её новое содержимое.");
        break;
    case Kind::DirectoryFileMissing:
        text = QStringLiteral("Файл базы данных db.dat не найден!");
        break;
    case Kind::HistoryFileMissing:
        text = QStringLiteral("Файл привязок history.dat не найден!");
        break;
    case Kind::ServerUnavailable:
        text = QStringLiteral("Справочник на сервере недоступен: ")
             + (error.cause() ? errorText(*error.cause()) : d.value(0));
        break;
    case Kind::FileMissing:
        text = QStringLiteral("%1: файл не найден").arg(d.value(0));
        break;
    case Kind::NotADirectoryFile:
        text = QStringLiteral("%1: это не файл справочника (в нём нет таблицы tab)").arg(d.value(0));
        break;
    case Kind::PendingLog:
        text = QStringLiteral("%1: файл нельзя прочитать, пока в его папку нельзя писать: в %2 есть изменения, "
                              "которых ещё нет в файле")
                   .arg(d.value(0), d.value(1));
        break;
    case Kind::ServerUnreachable:
        text = QStringLiteral("%1: не удалось подключиться: %2").arg(d.value(0), d.value(1));
        break;
    case Kind::ServerLost:
        text = QStringLiteral("%1: связь с сервером прервалась (%2); следующий запрос подключится заново")
                   .arg(d.value(0), d.value(1));
        break;
    case Kind::ServerWithoutDirectory:
        text = QStringLiteral("%1: на сервере нет таблиц справочника (их создаёт zelvik-cli init --server)")
                   .arg(d.value(0));
        break;
    case Kind::NotAnInteger:
        text = QStringLiteral("«%1» — не целое число").arg(d.value(0));
        break;
    case Kind::NoSuchColumn:
        text = QStringLiteral("В результате нет столбца %1").arg(d.value(0));
        break;
    }
    return error.context() + text;
}

QString errorText(const config::ConfFileError &error)
{
    const QStringList &d = error.details;
    switch (error.kind) {
    case config::ConfFileError::Kind::Unreadable:
        return QStringLiteral("Не удалось прочитать файл %1: %2").arg(d.value(0), d.value(1));
    }
    return {};
}

QStringList missingDataFileMessages(const QString &server)
{
    QStringList messages;
    for (const store::StoreError &problem : store::dataFileProblems(server))
        messages << errorText(problem);
    return messages;
}

} // namespace messages
