#include "bench/operatorload.h"

#include "bench/benchdirectory.h"

#include "store/connection.h"
#include "store/querychannel.h"
#include "store/grid/gridmodel.h"
#include "lookup/randomsource.h"
#include "lookup/search.h"
#include "messages/searchtext.h"

#include <QCoreApplication>
#include <QHash>
#include <QProcess>

#include <algorithm>
#include <chrono>
#include <climits>
#include <cstdio>
#include <memory>
#include <vector>

namespace bench {

namespace {

QString g_server;
int g_operators = 8;
int g_searches = 1000;
LoadSetup g_scaledOut;

// One value read from the primary on a connection of its own, outside any operator's.
QVariant onServer(const QString &server, const QString &sql, const QVariantList &params = {})
{
    store::Connection connection;
    connection.setServer(server);
    store::QueryChannel channel(connection);
    return channel.scalar(sql, params);
}

qint64 entriesOn(const QString &server)
{
    return onServer(server, QStringLiteral("select count(*) from tab")).toLongLong();
}

// The server's write-ahead log position, and the bytes written to it since an earlier one.
QString walPosition(const QString &server)
{
    return onServer(server, QStringLiteral("select pg_current_wal_lsn()::text")).toString();
}

double walBytesSince(const QString &server, const QString &position)
{
    return onServer(server, QStringLiteral("select pg_wal_lsn_diff(pg_current_wal_lsn(), ?::pg_lsn)::float8"), {position})
        .toDouble();
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

// One clock for every operator process, so that one's search can be placed after another's.
qint64 now()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// What an operator reported of one search or edit.
struct Event {
    char kind = 0; // h a hit, n a new surname, p a new phone, e an edit
    qint64 start = 0, end = 0, stored = 0;
    bool onReplica = false;
    QString key; // the new surname
};

// Searches of one new surname that stored entries after an earlier search of it had finished storing
// some: a second inventing that the first's committed entries should have prevented.
qint64 inventedAgain(std::vector<Event> &events)
{
    QHash<QString, std::vector<const Event *>> bySurname;
    for (const Event &e : events)
        if (e.kind == 'n' && e.stored > 0)
            bySurname[e.key].push_back(&e);
    qint64 again = 0;
    for (auto &inventions : bySurname) {
        qint64 firstEnd = LLONG_MAX;
        for (const Event *e : inventions)
            firstEnd = std::min(firstEnd, e->end);
        for (const Event *e : inventions)
            again += e->start > firstEnd ? 1 : 0;
    }
    return again;
}

// A stored person and phone, for the searches that find something.
struct StoredEntry {
    QString surname, givenName, patronymic, phone;
};

std::vector<StoredEntry> sampleEntries(store::QueryChannel &channel, lookup::RandomSource &random, qint64 entries)
{
    std::vector<StoredEntry> sample;
    while (sample.size() < 32) {
        channel.run(QStringLiteral("select fam, im, ot, tele from tab where id=%1").arg(1 + random.draw(std::uint32_t(entries))));
        if (channel.count() > 0 && !channel.text(QStringLiteral("im")).isEmpty())
            sample.push_back({channel.text(QStringLiteral("fam")), channel.text(QStringLiteral("im")),
                              channel.text(QStringLiteral("ot")), channel.text(QStringLiteral("tele"))});
    }
    return sample;
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

const LoadSetup &scaledOutSetup()
{
    return g_scaledOut;
}

void setScaledOutSetup(const LoadSetup &setup)
{
    g_scaledOut = setup;
}

OperatorLoad runOperators(const LoadSetup &setup, int operators, int searches)
{
    OperatorLoad load;
    const qint64 before = entriesOn(benchServer());
    const QString walBefore = walPosition(benchServer());
    // Every run that stores anything changes the count, so it tells this run from the earlier ones.
    const qint64 run = before;
    std::vector<std::unique_ptr<QProcess>> children;
    for (int i = 0; i < operators; ++i) {
        QStringList arguments{QStringLiteral("--operator=%1").arg(i), QStringLiteral("--server=") + setup.server,
                              QStringLiteral("--directory=") + benchDirectory().folder,
                              QStringLiteral("--searches=%1").arg(searches), QStringLiteral("--run=%1").arg(run)};
        if (!setup.replica.isEmpty())
            arguments << QStringLiteral("--replica=") + setup.replica;
        if (setup.transactionPooling)
            arguments << QStringLiteral("--pooler=transaction");
        auto child = std::make_unique<QProcess>();
        child->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child->start(QCoreApplication::applicationFilePath(), arguments);
        children.push_back(std::move(child));
    }
    std::vector<Event> events;
    for (auto &child : children) {
        if (!child->waitForFinished(-1) || child->exitCode() != 0) {
            load.error = QStringLiteral("an operator process failed");
            continue;
        }
        for (const QByteArray &line : child->readAllStandardOutput().split('\n')) {
            const QList<QByteArray> fields = line.split(' ');
            if (fields.size() != 6)
                continue;
            events.push_back({fields[0].at(0), fields[1].toLongLong(), fields[2].toLongLong(), fields[3].toLongLong(),
                              fields[4] == "1", QString::fromUtf8(fields[5])});
        }
    }
    std::vector<qint64> times;
    qint64 first = LLONG_MAX, last = 0;
    for (const Event &e : events) {
        first = std::min(first, e.start);
        last = std::max(last, e.end);
        if (e.stored < 0)
            ++load.errors;
        if (e.kind == 'e') {
            load.edits += e.stored >= 0 ? 1 : 0;
            continue;
        }
        ++load.searches;
        times.push_back(e.end - e.start);
        load.invented += std::max<qint64>(e.stored, 0);
        load.onReplica += e.onReplica ? 1 : 0;
    }
    load.inventedAgain = inventedAgain(events);
    load.rowsAccounted = entriesOn(benchServer()) - before == load.invented;
    load.walBytes = walBytesSince(benchServer(), walBefore);
    load.searchesPerSecond = last > first ? double(load.searches) * 1e9 / double(last - first) : 0;
    load.p50Ms = percentile(times, 0.50);
    load.p99Ms = percentile(times, 0.99);
    return load;
}

int operatorMain(const LoadSetup &setup, qint64 run, int index, int searches)
{
    store::Connection connection;
    connection.setServer(setup.server);
    connection.setTransactionPooling(setup.transactionPooling);
    connection.setReplica(setup.replica);
    store::QueryChannel channel(connection);
    store::GridModel grid(channel);
    bool editFailed = false;
    QObject::connect(&grid, &store::GridModel::errorOccurred, [&](const store::StoreError &e) {
        std::fprintf(stderr, "operator %d: edit failed: %s\n", index, e.what());
        editFailed = true;
    });
    QObject::connect(&grid, &store::GridModel::editRefused, [&](const store::GridRefusal &refusal) {
        std::fprintf(stderr, "operator %d: edit refused (%d)\n", index, int(refusal.kind));
        editFailed = true;
    });
    int inserts = 0; // the entries the search stored
    QObject::connect(&channel, &store::QueryChannel::statementSent, [&inserts](const QString &statement) {
        inserts += statement.startsWith(QLatin1String("insert"), Qt::CaseInsensitive) ? 1 : 0;
    });
    lookup::RandomSource random; // seeded from the clock, as the program is
    lookup::RandomSource draws;
    draws.setState(std::uint32_t(run * 131 + index + 1));
    const BenchDirectory &d = benchDirectory();
    const std::vector<StoredEntry> sample = sampleEntries(channel, draws, d.entries);
    // The operators of a group of eight search each new surname one after another, a round of ten
    // searches apart: the later ones must find what the first stored, even on a replica that lags.
    const int group = index / 8, member = index % 8;

    for (int s = 0; s < searches; ++s) {
        const int round = s / 10;
        const StoredEntry &stored = sample[std::size_t(s) % sample.size()];
        lookup::SearchFields fields;
        char kind = 'h';
        QString key = QStringLiteral("-"), expectedPhone;
        switch (s % 10) {
        case 0:
            if (round >= member) {
                kind = 'n';
                fields[store::EntryField::Surname] = key = newSurname(run, group, round - member);
                break;
            }
            [[fallthrough]];
        case 1:
        case 4:
        case 5:
            fields[store::EntryField::Patronymic] = stored.patronymic;
            [[fallthrough]];
        case 3:
        case 7:
            fields[store::EntryField::Surname] = stored.surname;
            fields[store::EntryField::GivenName] = stored.givenName;
            break;
        case 2:
        case 6:
            fields[store::EntryField::Phone] = stored.phone;
            break;
        case 8: {
            QString phone = QStringLiteral("495") + QChar(u'1' + draws.draw(9));
            for (int i = 0; i < 6; ++i)
                phone += QChar(u'0' + draws.draw(10));
            channel.run(QStringLiteral("select count(*) as m from tab where tele=\"%1\"").arg(phone));
            if (channel.integer(QStringLiteral("m")) == 0)
                kind = 'p';
            fields[store::EntryField::Phone] = expectedPhone = phone;
            break;
        }
        default:
            fields[store::EntryField::Surname] = d.rareSurnameText();
            break;
        }
        inserts = 0;
        const qint64 start = now();
        const lookup::SearchOutcome outcome = lookup::search(channel, random, fields);
        channel.fetch(kind == 'h' ? 50 : INT_MAX); // a hit shows its first screen, as the grid would
        const qint64 end = now();

        qint64 storedRows = messages::searchErrorText(outcome).isEmpty() && messages::panelText(outcome) ? inserts : -1;
        if (storedRows >= 0 && kind != 'h') {
            const int column = int(channel.columnNames().indexOf(kind == 'n' ? QStringLiteral("fam") : QStringLiteral("tele")));
            for (int r = 0; r < channel.fetched(); ++r)
                if (kind == 'n' ? channel.cell(r, column).toString().compare(key, Qt::CaseInsensitive) != 0
                                : channel.cell(r, column).toString() != expectedPhone)
                    storedRows = -1; // another operator's row shown as this search's
        }
        if (storedRows < 0 && !messages::searchErrorText(outcome).isEmpty())
            std::fprintf(stderr, "operator %d: %s\n", index, qPrintable(messages::searchErrorText(outcome)));
        std::printf("%c %lld %lld %lld %d %s\n", kind, static_cast<long long>(start),
                    static_cast<long long>(end), static_cast<long long>(storedRows), channel.resultOnReplica() ? 1 : 0,
                    key.toUtf8().constData());

        // Now and then the operator corrects the flat of the person found: the row of the sampled
        // entry (its phone is unique), which no other operator edits, so that any refusal as changed
        // by another user is a false one. The sample comes round again, and the operator must then
        // see the flat as it wrote it, wherever the lookup read.
        if (s % 10 == 4 && storedRows >= 0) {
            while (grid.canFetchMore({}))
                grid.fetchMore({});
            int row = 0;
            while (row < grid.rowCount() && grid.index(row, store::EntryField::Phone).data().toString() != stored.phone)
                ++row;
            if (row == grid.rowCount())
                continue;
            editFailed = false;
            const qint64 editStart = now();
            const QModelIndex flat = grid.index(row, store::EntryField::Flat);
            const bool written = grid.setData(flat, QString::number(flat.data().toInt() % 200 + 1)) && grid.finishPending();
            std::printf("e %lld %lld %d 0 -\n", static_cast<long long>(editStart), static_cast<long long>(now()),
                        written && !editFailed ? 0 : -1);
        }
    }
    return 0;
}

} // namespace bench
