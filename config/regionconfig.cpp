#include "config/regionconfig.h"

#include "text/cp1251.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

namespace app {

namespace {

QString decodeRegion(const QByteArray &bytes)
{
    bool beyondAscii = false;
    for (char b : bytes)
        beyondAscii = beyondAscii || (static_cast<unsigned char>(b) & 0x80);
    if (beyondAscii) {
        QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
        const QString text = utf8.decode(bytes);
        if (!utf8.hasError())
            return text;
    }
    return cp1251::decode(bytes);
}

RegionConfig readFailure(const QFile &file)
{
    return {QString(), QStringLiteral("Не удалось прочитать файл %1: %2")
                           .arg(QFileInfo(file.fileName()).fileName(), file.errorString())};
}

} // namespace

RegionConfig readRegionConfig(const QString &path)
{
    // Only a regular file counts: a directory of that name is no file, and a pipe, socket or device
    // could hold start-up up for ever.
    if (!QFileInfo(path).isFile())
        return {};

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return readFailure(file);

    QByteArray line = file.readLine();
    if (file.error() != QFileDevice::NoError)
        return readFailure(file);
    if (line.endsWith('\n'))
        line.chop(1);

    line.replace('\r', QByteArray());
    static const QByteArray prefix("bd=");
    if (!line.startsWith(prefix))
        return {};
    return {decodeRegion(line.mid(prefix.size())), QString()};
}

QString windowCaption(const QString &region)
{
    return QStringLiteral("Zelvik - телефонный справочник (") + region + QLatin1Char(')');
}

QString headingText(const QString &region)
{
    return QStringLiteral("Телефонный справочник - ") + region;
}

} // namespace app
