#include "messages/datafoldertext.h"

#include "messages/errortext.h"
#include "store/provisioning/datafoldercreation.h"

namespace messages {

namespace {

QString whyNotCreated(const store::DataFolderCreation &made)
{
    switch (made.outcome) {
    case store::DataFolderCreation::Outcome::FolderNotCreated:
        return QStringLiteral("папку нельзя создать");
    case store::DataFolderCreation::Outcome::FilesExist:
        return QStringLiteral("файлы уже есть: %1").arg(made.paths.join(QStringLiteral(", ")));
    default:
        return made.failure ? errorText(*made.failure) : QString();
    }
}

} // namespace

QString dataFolderNotCreatedText(const QString &shown, const store::DataFolderCreation &made)
{
    return QStringLiteral("Не удалось создать папку данных %1: %2").arg(shown, whyNotCreated(made));
}

QString dataFolderNotOpenedText(const QString &shown)
{
    return QStringLiteral("Не удалось открыть папку данных %1").arg(shown);
}

QString regionQuestionText(const QString &shown, bool madeNow)
{
    const QString where = madeNow
        ? QStringLiteral("Создана папка данных %1 с образцом справочника. Программа работает с ней.")
        : QStringLiteral("Программа работает с папкой данных %1, но регион справочника для неё ещё не указан.");
    return where.arg(shown) + QStringLiteral("\n\nРегион справочника (он будет в заголовке окна):");
}

QString regionNotEncodableText(const QStringList &missing)
{
    return QStringLiteral("Этих знаков нет в кодировке Windows-1251, в которой записывается conf.cfg: %1")
        .arg(missing.join(QLatin1Char(' ')));
}

} // namespace messages
