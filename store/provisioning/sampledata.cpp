#include "store/provisioning/sampledata.h"

#include "store/storeerror.h"

#include <QFile>
#include <QHash>

// The resource lives in this static library, whose initialiser the linker drops unless called.
static void initSampleDataResource()
{
    Q_INIT_RESOURCE(data);
}

namespace store {

namespace {

QStringList lines(const QString &file)
{
    initSampleDataResource();
    QFile f(QStringLiteral(":/data/") + file);
    if (!f.open(QIODevice::ReadOnly))
        throw StoreError(StoreError::Kind::SampleDataUnreadable, {file, f.errorString()});
    QStringList result = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'));
    if (!result.isEmpty() && result.last().isEmpty())
        result.removeLast(); // the newline that ends the last line
    for (QString &line : result)
        line = line.trimmed();
    return result;
}

} // namespace

QList<ReferenceRows> sampleReferenceRows()
{
    struct Source {
        const char *table;
        const char *column;
    };
    static const Source sources[] = {{"fam", "fam"}, {"im", "im"}, {"im2", "im"}, {"ot", "ot"},
                                     {"ot2", "ot"},  {"ul", "ul"}, {"tel", "tel"}};
    QList<ReferenceRows> result;
    for (const Source &s : sources) {
        const QString table = QString::fromLatin1(s.table);
        result.append({table, QString::fromLatin1(s.column), lines(table + QStringLiteral(".txt"))});
    }
    return result;
}

ParamRow sampleParam()
{
    QHash<QString, QString> fields;
    for (const QString &line : lines(QStringLiteral("param.txt"))) {
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq > 0)
            fields.insert(line.left(eq).trimmed(), line.mid(eq + 1).trimmed());
    }
    auto number = [&](const QString &key) {
        bool ok = false;
        const qint64 n = fields.value(key).toLongLong(&ok);
        if (!ok)
            throw StoreError(StoreError::Kind::SampleParamMissing, {key});
        return n;
    };
    return {number(QStringLiteral("s")), number(QStringLiteral("tel"))};
}

} // namespace store
