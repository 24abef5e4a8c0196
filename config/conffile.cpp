#include "config/conffile.h"

#include "text/cp1251.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QStringDecoder>

namespace config {

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

// The line that starts at start, without its LF and its CRs; end becomes the position of that LF,
// or -1 when the line is the last.
QByteArray lineAt(QByteArrayView bytes, qsizetype start, qsizetype &end)
{
    end = bytes.indexOf('\n', start);
    QByteArray line = bytes.sliced(start, (end < 0 ? bytes.size() : end) - start).toByteArray();
    line.replace('\r', QByteArray());
    return line;
}

constexpr QByteArrayView kWaits[] = {"server_timeout", "replica_timeout"};

// A wait's line as milliseconds: none for an empty line or one that holds no usable number.
std::optional<std::chrono::milliseconds> waitValue(const QString &text)
{
    bool ok = false;
    const double seconds = text.toDouble(&ok);
    if (!ok || !(seconds > 0) || seconds > 24 * 60 * 60)
        return std::nullopt;
    return std::chrono::milliseconds(std::max<qint64>(qRound64(seconds * 1000), 1));
}

std::chrono::milliseconds waitOr(const ConfFile &conf, QByteArrayView key, std::chrono::milliseconds otherwise)
{
    return waitValue(conf.value(key)).value_or(otherwise);
}

ConfFile readFailure(const QFile &file)
{
    ConfFile conf;
    conf.error = ConfFileError{ConfFileError::Kind::Unreadable,
                               {QFileInfo(file.fileName()).fileName(), file.errorString()}};
    return conf;
}

} // namespace

QString ConfFile::value(QByteArrayView key) const
{
    for (const auto &[name, text] : settings)
        if (name == key)
            return text;
    return {};
}

std::chrono::milliseconds ConfFile::serverTimeout() const
{
    return waitOr(*this, "server_timeout", kServerTimeout);
}

std::chrono::milliseconds ConfFile::replicaTimeout() const
{
    return waitOr(*this, "replica_timeout", kReplicaTimeout);
}

void ConfFile::setValue(const QByteArray &key, const QString &value)
{
    for (auto &[name, text] : settings)
        if (name == key) {
            text = value;
            return;
        }
    settings.append({key, value});
}

ConfFile parseConfFile(QByteArrayView bytes)
{
    ConfFile conf;
    qsizetype end = -1;
    static const QByteArray prefix("bd=");
    if (const QByteArray first = lineAt(bytes, 0, end); first.startsWith(prefix))
        conf.region = decodeRegion(first.mid(prefix.size()));

    QSet<QByteArray> keys;
    while (end >= 0) {
        const QByteArray line = lineAt(bytes, end + 1, end);
        const qsizetype equals = line.indexOf('=');
        if (equals <= 0)
            continue;
        const QByteArray key = line.first(equals);
        if (!keys.contains(key)) {
            keys.insert(key);
            conf.settings.append({key, QString::fromUtf8(line.sliced(equals + 1)).trimmed()});
        }
    }
    for (const QByteArrayView key : kWaits) {
        const QString text = conf.value(key);
        if (!text.isEmpty() && !waitValue(text)) {
            ConfFile refused;
            refused.error = ConfFileError{ConfFileError::Kind::BadSeconds, {QString::fromLatin1(key), text}};
            return refused;
        }
    }
    return conf;
}

ConfFile readConfFile(const QString &path)
{
    // Only a regular file counts: a directory of that name is no file, and a pipe, socket or device
    // could hold start-up up for ever.
    if (!QFileInfo(path).isFile())
        return {};

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return readFailure(file);
    // The whole file at once: a line that cannot be read is a failure wherever it is.
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return readFailure(file);
    return parseConfFile(bytes);
}

std::optional<QByteArray> confFileBytes(const ConfFile &conf)
{
    const std::optional<QByteArray> region = cp1251::encode(conf.region);
    if (!region || region->contains('\n') || region->contains('\r'))
        return std::nullopt;
    QByteArray bytes = "bd=" + *region + "\n";
    for (const auto &[key, value] : conf.settings)
        bytes += key + '=' + value.toUtf8() + '\n';
    return bytes;
}

} // namespace config
