#include "messages/importtext.h"

#include "jet/importerror.h"
#include "messages/errortext.h"

#include <QFileInfo>

namespace messages {

namespace {

using Kind = jet::ImportError::Kind;

// The reader's own first line of complaint (libmdb's, as it printed it), after the words.
QString withFirstLine(const QString &text, const QString &line)
{
    return line.isEmpty() ? text : text + QStringLiteral(" (") + line + QLatin1Char(')');
}

QString kindText(const jet::ImportError &error)
{
    const QStringList &d = error.details();
    switch (error.kind()) {
    case Kind::SourceMissing:
        return QStringLiteral("файл не найден");
    case Kind::SourceNotReadable:
        return QStringLiteral("файл недоступен для чтения");
    case Kind::NotAJetFile:
        return QStringLiteral("%1 — не база данных Jet").arg(d.value(0));
    case Kind::TargetExists:
        return QStringLiteral("%1 уже существует и не перезаписывается").arg(d.value(0));
    case Kind::OriginalNameTaken:
        return QStringLiteral("%1 уже существует, поэтому исходный файл нельзя сохранить под этим именем").arg(d.value(0));
    case Kind::OriginalNotKept:
        return QStringLiteral("не удаётся сохранить исходный файл как %1").arg(d.value(0));
    case Kind::StagingNotCreated:
        return QStringLiteral("не удаётся создать файл в %1: %2").arg(d.value(0), d.value(1));
    case Kind::TargetNotReplaced:
        return QStringLiteral("не удаётся заменить %1: %2").arg(d.value(0), d.value(1));
    case Kind::TargetAppeared:
        return QStringLiteral("не удаётся создать %1: он уже существует").arg(d.value(0));
    case Kind::TargetNotRenamed:
        return withFirstLine(QStringLiteral("не удаётся создать %1: переименование не удалось").arg(d.value(0)),
                             d.value(1));
    case Kind::StoreNotWritten:
        return QStringLiteral("не удаётся записать новую базу: ")
             + (error.cause() ? errorText(*error.cause()) : QString());
    case Kind::ReaderNotStarted:
        return QStringLiteral("не удаётся запустить программу чтения Jet %1: %2").arg(d.value(0), d.value(1));
    case Kind::ReaderNotBuilt:
        return QStringLiteral("эта сборка Zelvik не читает файлы Jet, преобразуйте файл сборкой для Linux командой "
                              "«zelvik-cli import-jet ФАЙЛ --into history.dat» и перенесите сюда полученный history.dat");
    case Kind::ReaderFlooded:
        return withFirstLine(QStringLiteral("программа чтения Jet без конца выдавала предупреждения и была "
                                            "остановлена, файл, похоже, повреждён"),
                             d.value(0));
    case Kind::ReaderOverran:
        return QStringLiteral("программа чтения Jet передала больше %1 байт и была остановлена, файл, похоже, повреждён")
            .arg(d.value(0));
    case Kind::ReaderStalled:
        return QStringLiteral("программа чтения Jet %1 с не продвигалась и была остановлена, файл, похоже, повреждён")
            .arg(d.value(0));
    case Kind::ReaderCutShort:
        return QStringLiteral("программа чтения Jet завершилась посреди данных");
    case Kind::ReaderCrashed:
        return withFirstLine(QStringLiteral("программа чтения Jet завершилась аварийно"), d.value(0));
    case Kind::ReaderFailed:
        return withFirstLine(QStringLiteral("программа чтения Jet завершилась с кодом %1").arg(d.value(0)), d.value(1));
    case Kind::UnknownFrame:
        return QStringLiteral("программа чтения Jet передала искажённые данные (кадр неизвестного вида)");
    case Kind::MalformedCell:
        return QStringLiteral("программа чтения Jet передала искажённые данные (значение неизвестного вида или "
                              "выходящее за пределы кадра)");
    case Kind::ValueTooLarge:
        return QStringLiteral("программа чтения Jet передала значение больше %1 байт").arg(d.value(0));
    case Kind::FrameOutOfOrder:
        return QStringLiteral("программа чтения Jet передала данные не по порядку (кадр %1)").arg(d.value(0));
    case Kind::OtherFormat:
        return QStringLiteral("программа чтения Jet передаёт данные в другом формате");
    case Kind::TablesMissing:
        return QStringLiteral("программа чтения Jet завершилась, не передав всех таблиц");
    case Kind::SourceNotOpened:
        return QStringLiteral("это не база данных Jet, или она не читается");
    case Kind::CatalogUnreadable:
        return QStringLiteral("список таблиц не читается (файл повреждён)");
    case Kind::TableUnreadable:
        return QStringLiteral("описание таблицы %1 не читается (файл повреждён)").arg(d.value(0));
    case Kind::RowUnreadable:
        return QStringLiteral("строка %2 таблицы %1 не читается (файл повреждён)").arg(d.value(0), d.value(1));
    case Kind::ValueUnreadable:
        return QStringLiteral("значение столбца %2 в строке %3 таблицы %1 не читается (файл повреждён)")
            .arg(d.value(0), d.value(1), d.value(2));
    case Kind::ReaderReported:
        return QStringLiteral("ошибка программы чтения Jet (причина %1): %2").arg(d.value(0), d.value(1));
    }
    return QStringLiteral("ошибка импорта (%1): %2").arg(int(error.kind())).arg(d.join(QStringLiteral("; ")));
}

} // namespace

QString errorText(const jet::ImportError &error)
{
    const QString text = kindText(error);
    return error.source().isEmpty() ? text : QStringLiteral("не удаётся прочитать %1: %2").arg(error.source(), text);
}

QString conversionProgressText(const QString &path)
{
    return QStringLiteral("Преобразование базы данных %1 в новый формат...").arg(QFileInfo(path).fileName());
}

QString conversionDoneText(const QString &path, const QString &original)
{
    return QStringLiteral("База данных %1 преобразована в новый формат. Исходный файл сохранён как %2.")
        .arg(QFileInfo(path).fileName(), QFileInfo(original).fileName());
}

QString conversionFailedText(const QString &path, const jet::ImportError &error)
{
    return QStringLiteral("Не удалось преобразовать базу данных %1 в новый формат: %2. Файл %1 не изменён.")
        .arg(QFileInfo(path).fileName(), errorText(error));
}

} // namespace messages
