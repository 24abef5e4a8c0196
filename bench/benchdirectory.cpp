#include "bench/benchdirectory.h"

#include "bench/rawsqlite.h"
#include "bench/surnamemodel.h"

#include <QDir>
#include <QFileInfo>

#include <optional>
#include <stdexcept>

namespace bench {

namespace {

std::optional<BenchDirectory> g_directory;

constexpr std::int64_t kRareMost = 10;
constexpr double kRareAim = 5;

std::string lowerCase(const std::string &text)
{
    return QString::fromStdString(text).toLower().toStdString();
}

std::int64_t rowsWithSurname(RawStatement &count, const std::string &surname)
{
    count.bindText(1, surname);
    count.step();
    const std::int64_t rows = sqlite3_column_int64(count.handle(), 0);
    count.reset();
    return rows;
}

// A surname that the directory holds 1 to 10 times: start at the rank where the model expects
// about five entries and widen to the neighbouring ranks, the more frequent neighbour first.
void pickRareSurname(BenchDirectory &d, RawStatement &count, const SurnameModel &model)
{
    const std::size_t aim = model.rankExpected(kRareAim, std::uint64_t(d.entries));
    const std::size_t none = model.size();
    for (std::size_t step = 0; step < model.size(); ++step) {
        const std::size_t moreFrequent = step <= aim ? aim - step : none;
        const std::size_t rarer = step > 0 ? aim + step : none;
        for (const std::size_t rank : {moreFrequent, rarer}) {
            if (rank >= model.size())
                continue;
            const std::string typed = lowerCase(model.masculine(rank));
            const std::int64_t rows = rowsWithSurname(count, typed);
            if (rows >= 1 && rows <= kRareMost) {
                d.rareSurname = typed;
                d.rareRows = rows;
                return;
            }
        }
    }
    throw std::runtime_error("no surname with 1 to 10 entries in " + d.folder.toStdString());
}

} // namespace

BenchDirectory openBenchDirectory(const QString &folder)
{
    BenchDirectory d;
    d.folder = QDir(folder).absolutePath();
    d.historyPath = QDir(d.folder).filePath(QStringLiteral("history.dat")).toStdString();
    if (!QFileInfo::exists(QString::fromStdString(d.historyPath)))
        throw std::runtime_error(d.historyPath + ": no such file");

    RawDatabase db(d.historyPath);
    d.entries = db.integer("SELECT count(*) FROM tab");
    RawStatement count(db.handle(), "SELECT count(*) FROM tab WHERE fam=?");

    const SurnameModel model;
    for (const std::string *form : {&model.masculine(0), &model.feminine(0)}) {
        const std::string typed = lowerCase(*form);
        const std::int64_t rows = rowsWithSurname(count, typed);
        if (rows > d.commonRows) {
            d.commonSurname = typed;
            d.commonRows = rows;
        }
    }
    pickRareSurname(d, count, model);

    RawStatement middle(db.handle(), "SELECT tele FROM tab WHERE id >= ? ORDER BY id LIMIT 1");
    middle.bindInteger(1, d.entries / 2);
    if (!middle.step())
        throw std::runtime_error("the directory has no entries: " + d.folder.toStdString());
    d.phone = reinterpret_cast<const char *>(sqlite3_column_text(middle.handle(), 0));
    return d;
}

const BenchDirectory &benchDirectory()
{
    return *g_directory;
}

void setBenchDirectory(BenchDirectory directory)
{
    g_directory = std::move(directory);
}

} // namespace bench
