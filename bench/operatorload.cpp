#include "bench/operatorload.h"

#include "bench/benchdirectory.h"

#include "store/connection.h"
#include "store/querychannel.h"
#include "lookup/randomsource.h"
#include "lookup/search.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace bench {

namespace {

QString g_server;
int g_operators = 8;
int g_searches = 1000;

qint64 entriesOn(const QString &server)
{
    store::Connection connection;
    connection.setServer(server);
    store::QueryChannel channel(connection);
    channel.run(QStringLiteral("select count(*) as m from tab"));
    return channel.integer(QStringLiteral("m"));
}

// A surname no directory holds: "Нагрузкин" and letters that spell the run, operator and search.
// The run keeps a later run (Google Benchmark's warm-up is one) from finding an earlier run's
// entries where it expects to invent them.
QString newSurname(qint64 run, int index, int search)
{
    static const QString letters = QStringLiteral("абвгдежзиклмнопрстуфхцчшэюя");
    QString tail;
    for (qint64 n = (run * 100 + index) * 100000 + search; n > 0; n /= letters.size())
        tail += letters[n % letters.size()];
    return QStringLiteral("Нагрузкин") + tail;
}

double percentile(std::vector<qint64> &times, double p)
{
    if (times.empty())
        return 0;
    std::sort(times.begin(), times.end());
    const auto at = std::min(times.size() - 1, std::size_t(p * double(times.size())));
    return double(times[at]) / 1e6;
}

} // namespace

const QString &benchServer()
{
    return g_server;
}

void setBenchServer(const QString &conninfo)
{
    g_server = conninfo;
}

int operatorCount()
{
    return g_operators;
}

int searchesPerOperator()
{
    return g_searches;
}

void setOperatorLoad(int operators, int searches)
{
    g_operators = operators;
    g_searches = searches;
}

OperatorLoad runOperators(const QString &server, int operators, int searches)
{
    OperatorLoad load;
    const qint64 before = entriesOn(server);
    // Every run that stores anything changes the count, so it tells this run from the earlier ones.
    const qint64 run = before;
    std::vector<std::unique_ptr<QProcess>> children;
    for (int i = 0; i < operators; ++i) {
        auto child = std::make_unique<QProcess>();
        child->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child->start(QCoreApplication::applicationFilePath(),
                     {QStringLiteral("--operator=%1").arg(i), QStringLiteral("--server=") + server,
                      QStringLiteral("--directory=") + benchDirectory().folder,
                      QStringLiteral("--searches=%1").arg(searches), QStringLiteral("--run=%1").arg(run)});
        children.push_back(std::move(child));
    }
    std::vector<qint64> times;
    for (auto &child : children) {
        if (!child->waitForFinished(-1) || child->exitCode() != 0) {
            load.error = QStringLiteral("an operator process failed");
            continue;
        }
        for (const QByteArray &line : child->readAllStandardOutput().split('\n')) {
            const QList<QByteArray> fields = line.split(' ');
            if (fields.size() != 2)
                continue;
            times.push_back(fields[0].toLongLong());
            const qint64 stored = fields[1].toLongLong();
            ++load.searches;
            if (stored < 0)
                ++load.errors;
            else
                load.invented += stored;
        }
    }
    load.rowsAccounted = entriesOn(server) - before == load.invented;
    load.p50Ms = percentile(times, 0.50);
    load.p99Ms = percentile(times, 0.99);
    return load;
}

int operatorMain(const QString &server, qint64 run, int index, int searches)
{
    store::Connection connection;
    connection.setServer(server);
    store::QueryChannel channel(connection);
    store::Connection checkConnection;
    checkConnection.setServer(server);
    store::QueryChannel check(checkConnection);
    lookup::RandomSource random;
    random.setFixedSeed(std::uint32_t(index * 7919 + 1));
    lookup::RandomSource phones;
    phones.setState(std::uint32_t(run * 131 + index + 1));

    const BenchDirectory &d = benchDirectory();
    for (int s = 0; s < searches; ++s) {
        lookup::SearchFields fields;
        QString expectedFam, expectedPhone;
        bool invents = false;
        switch (s % 4) {
        case 0:
            fields[store::EntryField::Surname] = d.rareSurnameText();
            break;
        case 1:
            fields[store::EntryField::Surname] = expectedFam = newSurname(run, index, s);
            invents = true;
            break;
        case 2:
            fields[store::EntryField::Phone] = QString::fromStdString(d.phone);
            break;
        default: {
            QString phone = QStringLiteral("495") + QChar(u'1' + phones.draw(9));
            for (int i = 0; i < 6; ++i)
                phone += QChar(u'0' + phones.draw(10));
            check.run(QStringLiteral("select count(*) as m from tab where tele=\"%1\"").arg(phone));
            invents = check.integer(QStringLiteral("m")) == 0;
            fields[store::EntryField::Phone] = expectedPhone = phone;
            break;
        }
        }
        QElapsedTimer timer;
        timer.start();
        const lookup::SearchOutcome outcome = lookup::search(channel, random, fields);
        channel.fetch(INT_MAX);
        const qint64 took = timer.nsecsElapsed();

        qint64 stored = outcome.error.isEmpty() && outcome.message ? 0 : -1;
        if (stored == 0 && invents) {
            stored = channel.fetched();
            const int fam = int(channel.columnNames().indexOf(QStringLiteral("fam")));
            const int tele = int(channel.columnNames().indexOf(QStringLiteral("tele")));
            for (int r = 0; r < channel.fetched(); ++r)
                if (!expectedFam.isEmpty() ? channel.cell(r, fam).toString().compare(expectedFam, Qt::CaseInsensitive) != 0
                                           : channel.cell(r, tele).toString() != expectedPhone)
                    stored = -1; // another operator's row shown as this search's
        }
        if (stored < 0 && !outcome.error.isEmpty())
            std::fprintf(stderr, "operator %d: %s\n", index, qPrintable(outcome.error));
        std::printf("%lld %lld\n", static_cast<long long>(took), static_cast<long long>(stored));
    }
    return 0;
}

} // namespace bench
