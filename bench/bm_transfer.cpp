// import-csv and export against raw SQLite: a million rows inserted by one prepared statement in one
// transaction, and read by a sqlite3_step loop writing the same CSV bytes.
#include "bench/alternation.h"
#include "bench/benchdirectory.h"
#include "bench/rawsqlite.h"

#include "store/connection.h"
#include "transfer/csv.h"
#include "transfer/csvimport.h"
#include "store/provisioning/filestorecreation.h"
#include "store/querychannel.h"
#include "transfer/tableexport.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace {

using bench::benchDirectory;
using bench::RawDatabase;
using bench::RawStatement;

constexpr std::int64_t kRows = 1000000;
constexpr const char *kColumns = "fam,im,ot,tele,ul,dom,domd,kv";
constexpr int kTextColumns[] = {0, 1, 2, 3, 4, 6};

struct Row {
    std::array<std::string, 8> text;             // the number columns too, as the CSV holds them
    std::array<std::optional<std::int64_t>, 8> number; // set for dom and kv unless NULL
};

// The first rows of the bench directory, as values and as the CSV file import-csv reads; and a
// store holding exactly them, for the export pair.
struct TransferData {
    std::vector<Row> rows;
    QByteArray csv;
    QTemporaryDir scratch;
    QString filled; // a history.dat holding the rows

    TransferData()
    {
        RawDatabase db(benchDirectory().historyPath);
        RawStatement select(db.handle(), std::string("SELECT ") + kColumns + " FROM tab ORDER BY id LIMIT ?");
        select.bindInteger(1, kRows);
        csv = QByteArray(kColumns) + "\r\n";
        while (select.step()) {
            Row row;
            for (int c = 0; c < 8; ++c) {
                sqlite3_stmt *s = select.handle();
                if (sqlite3_column_type(s, c) == SQLITE_INTEGER)
                    row.number[std::size_t(c)] = sqlite3_column_int64(s, c);
                if (const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(s, c)))
                    row.text[std::size_t(c)].assign(text, std::size_t(sqlite3_column_bytes(s, c)));
                if (c > 0)
                    csv += ',';
                transfer::appendField(csv, QByteArrayView(row.text[std::size_t(c)]), transfer::Format::Csv);
            }
            csv += "\r\n";
            rows.push_back(std::move(row));
        }
        filled = freshStore(QStringLiteral("filled"));
        store::Connection connection(filled);
        store::QueryChannel channel(connection);
        transfer::importCsv(channel, QStringLiteral("tab"), csv);
    }

    // A new history.dat of its own folder: the reference data, an empty tab and its indexes.
    QString freshStore(const QString &name) const
    {
        const QString folder = scratch.filePath(name);
        QDir(folder).removeRecursively();
        QDir().mkpath(folder);
        const QString path = QDir(folder).filePath(QStringLiteral("history.dat"));
        store::createDirectoryFile(path);
        return path;
    }
};

const TransferData &transferData()
{
    static const TransferData data;
    return data;
}

// The floor: every row by one prepared insert, in one transaction, into the new store at path.
bool rawInsert(const TransferData &data, const QString &path)
{
    RawDatabase db(path.toStdString());
    db.useProgramSettings();
    RawStatement insert(db.handle(), std::string("INSERT INTO tab (") + kColumns + ") VALUES (?,?,?,?,?,?,?,?)");
    db.exec("BEGIN IMMEDIATE");
    for (const Row &row : data.rows) {
        for (int c = 0; c < 8; ++c) {
            if (row.number[std::size_t(c)])
                insert.bindInteger(c + 1, *row.number[std::size_t(c)]);
            else if (std::find(std::begin(kTextColumns), std::end(kTextColumns), c) != std::end(kTextColumns))
                insert.bindText(c + 1, row.text[std::size_t(c)]);
            else
                sqlite3_bind_null(insert.handle(), c + 1);
        }
        insert.step();
        insert.reset();
    }
    db.exec("COMMIT");
    return true;
}

// The product: import-csv of the same rows; false unless it added every one.
bool productImport(const TransferData &data, const QString &path)
{
    store::Connection connection(path);
    store::QueryChannel channel(connection);
    const transfer::ImportOutcome outcome = transfer::importCsv(channel, QStringLiteral("tab"), data.csv);
    return !outcome.refusal && outcome.rows == qint64(data.rows.size());
}

template <bool (*Insert)(const TransferData &, const QString &)>
void insertBenchmark(benchmark::State &state)
{
    const TransferData &data = transferData();
    for (auto _ : state) {
        state.PauseTiming();
        const QString path = data.freshStore(QStringLiteral("store"));
        state.ResumeTiming();
        if (!Insert(data, path)) {
            state.SkipWithError("the import did not add every row");
            break;
        }
    }
    state.counters["rows"] = double(data.rows.size());
}

void BM_RawInsertRows(benchmark::State &state)
{
    insertBenchmark<rawInsert>(state);
}

void BM_ImportCsv(benchmark::State &state)
{
    insertBenchmark<productImport>(state);
}

// Both by turns, each into a new store of its own made in its turn (a small part of the turn).
void BM_PairImport(benchmark::State &state)
{
    const TransferData &data = transferData();
    bench::alternate(
        state, [&] { return rawInsert(data, data.freshStore(QStringLiteral("raw"))); },
        [&] { return productImport(data, data.freshStore(QStringLiteral("product"))); }, 1, true);
}

// What export writes, from the raw statement: the same header, fields and line ends.
void rawExport(const QString &path, QIODevice &out)
{
    RawDatabase db(path.toStdString());
    RawStatement select(db.handle(), "SELECT * FROM tab");
    QByteArray buffer;
    const int columns = select.columnCount();
    for (int c = 0; c < columns; ++c) {
        if (c > 0)
            buffer += ',';
        transfer::appendField(buffer, sqlite3_column_name(select.handle(), c), transfer::Format::Csv);
    }
    buffer += "\r\n";
    while (select.step()) {
        sqlite3_stmt *s = select.handle();
        for (int c = 0; c < columns; ++c) {
            if (c > 0)
                buffer += ',';
            const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(s, c));
            transfer::appendField(buffer, QByteArrayView(text, sqlite3_column_bytes(s, c)), transfer::Format::Csv);
        }
        buffer += "\r\n";
        if (buffer.size() >= (1 << 16)) {
            out.write(buffer);
            buffer.resize(0);
        }
    }
    out.write(buffer);
}

void productExport(const QString &path, QIODevice &out)
{
    store::Connection connection(path);
    store::QueryChannel channel(connection);
    transfer::exportTable(channel, QStringLiteral("tab"), transfer::ExportOptions{}, out);
}

// Both write the same bytes, or the pair compares nothing.
bool sameBytes(const QString &path)
{
    QBuffer raw, product;
    raw.open(QIODevice::WriteOnly);
    product.open(QIODevice::WriteOnly);
    rawExport(path, raw);
    productExport(path, product);
    return raw.data() == product.data();
}

template <void (*Export)(const QString &, QIODevice &)>
void exportBenchmark(benchmark::State &state)
{
    const TransferData &data = transferData();
    if (!sameBytes(data.filled)) {
        state.SkipWithError("export and the raw loop write different bytes");
        return;
    }
    QFile sink(QStringLiteral("/dev/null"));
    sink.open(QIODevice::WriteOnly);
    for (auto _ : state)
        Export(data.filled, sink);
    state.counters["rows"] = double(data.rows.size());
}

void BM_RawExportRows(benchmark::State &state)
{
    exportBenchmark<rawExport>(state);
}

void BM_ExportCsv(benchmark::State &state)
{
    exportBenchmark<productExport>(state);
}

} // namespace

BENCHMARK(BM_RawInsertRows)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportCsv)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PairImport)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RawExportRows)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportCsv)->UseRealTime()->Unit(benchmark::kMillisecond);
