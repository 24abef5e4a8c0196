#include "commands.h"
#include "output.h"

#include "connection.h"
#include "datafiles.h"
#include "gridmodel.h"
#include "querychannel.h"
#include "randomsource.h"
#include "search.h"


#include <algorithm>
#include <optional>

namespace cli {

namespace {

// find's own exit statuses: the search ran, the checks refused the fields, the store failed, a
// data file is missing.
enum FindStatus { Ran = 0, Rejected = 1, StoreFailed = 2, DataFileMissing = 3 };

struct FieldOption {
    QLatin1StringView name;
    lookup::Field field;
};

constexpr FieldOption kFieldOptions[] = {
    {QLatin1StringView("--surname"), lookup::Surname},
    {QLatin1StringView("--name"), lookup::Name},
    {QLatin1StringView("--patronymic"), lookup::Patronymic},
    {QLatin1StringView("--phone"), lookup::Phone},
    {QLatin1StringView("--street"), lookup::Street},
    {QLatin1StringView("--house"), lookup::House},
    {QLatin1StringView("--fraction"), lookup::Fraction},
    {QLatin1StringView("--flat"), lookup::Flat},
};

struct FindOptions {
    lookup::SearchFields fields;
    std::optional<std::uint32_t> seed;
};

// Plain decimal digits only: a seed is a state, not an expression.
std::optional<std::uint32_t> parseSeed(const QString &text)
{
    const bool digits = !text.isEmpty()
        && std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    bool ok = false;
    const qulonglong seed = digits ? text.toULongLong(&ok, 10) : 0;
    if (!ok || seed > 0xFFFFFFFFull)
        return std::nullopt;
    return std::uint32_t(seed);
}

// The options, or the reason they are wrong. An option's value is the next argument, whatever it
// looks like, so "--house -5" is a house of -5.
std::optional<FindOptions> parse(const QStringList &args, QString &problem)
{
    FindOptions options;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &option = args[i];
        if (i + 1 == args.size()) {
            problem = QStringLiteral("%1 needs a value").arg(option);
            return std::nullopt;
        }
        const QString &value = args[++i];
        if (option == QLatin1String("--seed")) {
            options.seed = parseSeed(value);
            if (!options.seed) {
                problem = QStringLiteral("--seed needs a number from 0 to 4294967295, not %1").arg(value);
                return std::nullopt;
            }
            continue;
        }
        const auto known = std::find_if(std::begin(kFieldOptions), std::end(kFieldOptions),
                                        [&](const FieldOption &o) { return option == o.name; });
        if (known == std::end(kFieldOptions)) {
            problem = QStringLiteral("unknown option %1").arg(option);
            return std::nullopt;
        }
        options.fields[known->field] = value;
    }
    return options;
}

// The grid's rows, read through the grid's own model so that the columns match what the window
// shows. Returns false (with the text) when reading the rows fails.
bool printGrid(store::QueryChannel &channel, QString &failure)
{
    store::GridModel grid(channel);
    QObject::connect(&grid, &store::GridModel::errorOccurred, [&failure](const QString &text) { failure = text; });
    while (failure.isEmpty() && grid.canFetchMore({}))
        grid.fetchMore({});
    if (!failure.isEmpty())
        return false;
    for (int row = 0; row < grid.rowCount(); ++row) {
        QStringList fields;
        for (int column = 0; column < grid.columnCount(); ++column)
            fields << grid.data(grid.index(row, column)).toString();
        printRow(fields);
    }
    return true;
}

} // namespace

int runFind(const QStringList &args)
{
    QString problem;
    const std::optional<FindOptions> options = parse(args, problem);
    if (!options) {
        printError(QStringLiteral("zelvik-cli find: %1 (see zelvik-cli help)").arg(problem));
        return UsageError;
    }
    // Like the window at start-up, but the first missing file is enough to stop.
    if (const QStringList missing = store::missingDataFileMessages(); !missing.isEmpty()) {
        printError(missing.first());
        return DataFileMissing;
    }

    store::Connection connection;
    store::QueryChannel channel(connection);
    lookup::RandomSource random;
    random.setFixedSeed(options->seed);
    const lookup::SearchOutcome outcome = lookup::search(channel, random, options->fields);
    if (!outcome.error.isEmpty()) {
        printError(outcome.error);
        return StoreFailed;
    }
    printLine(outcome.message.value_or(QString()));
    if (outcome.rejected)
        return Rejected;
    if (QString failure; !printGrid(channel, failure)) {
        printError(failure);
        return StoreFailed;
    }
    return Ran;
}

} // namespace cli
