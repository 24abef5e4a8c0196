// conf.cfg, written to a real file and read back as the program reads it at start-up, against the
// rules. The first line: the bytes up to the first line feed, carriage returns dropped; a region only
// after "bd=" byte for byte; its bytes Windows-1251 unless they are UTF-8 beyond ASCII. The server:
// the first later line that starts "server=", carriage returns dropped, the rest as UTF-8, trimmed.
#include "tests/fuzz/fuzzcheck.h"

#include "text/cp1251.h"
#include "config/conffile.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>

namespace {

bool isUtf8BeyondAscii(const QByteArray &bytes)
{
    bool beyondAscii = false;
    for (char b : bytes)
        beyondAscii = beyondAscii || static_cast<unsigned char>(b) >= 0x80;
    // Valid UTF-8 is what survives decoding and encoding again unchanged.
    return beyondAscii && QString::fromUtf8(bytes).toUtf8() == bytes;
}

QString expectedRegion(const QByteArray &file)
{
    QByteArray line = file.left(file.indexOf('\n') < 0 ? file.size() : file.indexOf('\n'));
    line.replace('\r', QByteArray());
    if (!line.startsWith("bd="))
        return QString();
    const QByteArray name = line.mid(3);
    return isUtf8BeyondAscii(name) ? QString::fromUtf8(name) : cp1251::decode(name);
}

QString expectedServer(const QByteArray &file)
{
    const QList<QByteArray> lines = file.split('\n');
    for (qsizetype i = 1; i < lines.size(); ++i) {
        QByteArray line = lines[i];
        line.replace('\r', QByteArray());
        if (line.startsWith("server="))
            return QString::fromUtf8(line.mid(7)).trimmed();
    }
    return QString();
}

// Whether a line after the first sets the wait KEY (server_timeout, replica_timeout).
bool setsWait(const QByteArray &file, const QString &key)
{
    const QByteArray start = key.toLatin1() + '=';
    const QList<QByteArray> lines = file.split('\n');
    for (qsizetype i = 1; i < lines.size(); ++i)
        if (QByteArray(lines[i]).replace('\r', QByteArray()).startsWith(start))
            return true;
    return false;
}

const QString &configPath()
{
    static QTemporaryDir folder;
    static const QString path = folder.filePath(QStringLiteral("conf.cfg"));
    return path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    {
        QFile file(configPath());
        FUZZ_REQUIRE(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size(),
                     "cannot write %s", configPath().toUtf8().constData());
    }
    const config::ConfFile config = config::readConfFile(configPath());
    if (config.failed()) {
        // A wait that holds no number of seconds stops the file's use, by design; nothing else may.
        const QString key = config.error->details.value(0);
        FUZZ_REQUIRE(config.error->kind == config::ConfFileError::Kind::BadSeconds && setsWait(bytes, key),
                     "a readable file was reported unreadable: %s", config.error->details.join(u"; ").toUtf8().constData());
        return 0;
    }
    const QString expected = expectedRegion(bytes);
    FUZZ_REQUIRE(config.region == expected, "region \"%s\", but the rule says \"%s\"", config.region.toUtf8().constData(),
                 expected.toUtf8().constData());
    const QString server = expectedServer(bytes);
    FUZZ_REQUIRE(config.server() == server, "server \"%s\", but the rule says \"%s\"", config.server().toUtf8().constData(),
                 server.toUtf8().constData());
    return 0;
}
