#include "tests/reliability/tabaccount.h"

#include "tests/reliability/storereading.h"

namespace {

QStringList compare(const QMap<QString, int> &expected, const QMap<QString, int> &actual, const char *what)
{
    QStringList differences;
    for (auto it = expected.cbegin(); it != expected.cend(); ++it)
        if (actual.value(it.key()) != it.value())
            differences << QStringLiteral("%1 %2: %3 rows, but the searches stored %4")
                               .arg(QLatin1String(what), it.key())
                               .arg(actual.value(it.key()))
                               .arg(it.value());
    return differences;
}

} // namespace

QStringList differencesFromLedger(const QString &file, const Ledger &ledger)
{
    const QList<storereading::Row> rows = storereading::rows(file, QStringLiteral("tab"));
    QMap<QString, int> byFam;
    QMap<QString, int> byTele;
    for (const storereading::Row &row : rows) {
        ++byFam[row.value(storereading::Fam).toString()];
        ++byTele[row.value(storereading::Tele).toString()];
    }
    QStringList differences = compare(ledger.surnames(), byFam, "surname");
    differences << compare(ledger.phones(), byTele, "phone");
    if (rows.size() != ledger.storedRows())
        differences << QStringLiteral("tab holds %1 rows, but the searches stored %2").arg(rows.size()).arg(ledger.storedRows());
    return differences;
}
