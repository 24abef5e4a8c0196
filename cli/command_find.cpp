#include "cli/commands.h"
#include "cli/configuredchannel.h"
#include "messages/errortext.h"
#include "messages/fieldtitles.h"
#include "messages/searchtext.h"
#include "cli/output.h"

#include "store/provisioning/datafilechecks.h"
#include "store/grid/gridmodel.h"
#include "store/querychannel.h"
#include "lookup/randomsource.h"
#include "lookup/search.h"


#include <algorithm>
#include <optional>

namespace cli {

namespace {

// find's own exit statuses: the search ran, the fields (or the number) were refused, the store
// failed, a data file is missing (or conf.cfg is there but cannot be read).
enum FindStatus { Ran = 0, Rejected = 1, StoreFailed = 2, DataFileMissing = 3 };

using store::EntryField;

struct FieldOption {
    QCommandLineOption option;
    EntryField field;
};

FieldOption fieldOption(const char *name, EntryField field)
{
    return {{QLatin1String(name), messages::fieldWords(field).name, QStringLiteral("TEXT")}, field};
}

// The fields of the search form, in its order.
const FieldOption kFieldOptions[] = {
    fieldOption("surname", EntryField::Surname), fieldOption("name", EntryField::GivenName),
    fieldOption("patronymic", EntryField::Patronymic), fieldOption("phone", EntryField::Phone),
    fieldOption("street", EntryField::Street), fieldOption("house", EntryField::House),
    fieldOption("fraction", EntryField::Fraction), fieldOption("flat", EntryField::Flat),
};

const QCommandLineOption kSeedOption(QStringLiteral("seed"),
                                     QStringLiteral("the random state, for reproducible invented entries"),
                                     QStringLiteral("N"));

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

// The grid's rows, read through the grid's own model so that the columns match what the window
// shows. Returns false (with the text) when reading the rows fails.
bool printGrid(store::QueryChannel &channel, QString &failure)
{
    store::GridModel grid(channel);
    QObject::connect(&grid, &store::GridModel::errorOccurred, [&failure](const store::StoreError &error) { failure = messages::errorText(error); });
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

int find(const lookup::SearchFields &fields, std::optional<std::uint32_t> seed)
{
    // Like the window at start-up, but the first missing file is enough to stop, and so is a
    // conf.cfg that cannot be read: without it the store could be the wrong one.
    const std::optional<config::ConfFile> conf = readConfFile();
    if (!conf)
        return DataFileMissing;
    for (const store::StoreError &problem : store::dataFileProblems(conf->server(), conf->serverTimeout())) {
        // A server that does not answer in time is the store failing, as it would be during the search.
        const store::StoreError *cause = problem.cause();
        if (cause && cause->kind() == store::StoreError::Kind::ServerTimedOut) {
            printError(messages::errorText(*cause));
            return StoreFailed;
        }
        printError(messages::errorText(problem));
        return DataFileMissing;
    }

    return withConfiguredChannel(*conf, [&fields, seed](store::QueryChannel &channel) -> int {
        QObject::connect(&channel, &store::QueryChannel::replicaUnavailable,
                         [](const QString &name) { printError(messages::replicaUnavailableText(name)); });
        lookup::RandomSource random;
        random.setFixedSeed(seed);
        const lookup::SearchOutcome outcome = lookup::search(channel, random, fields);
        if (const QString error = messages::searchErrorText(outcome); !error.isEmpty()) {
            printError(error);
            return StoreFailed;
        }
        printLine(messages::panelText(outcome).value_or(QString()));
        // A number the scheme refuses is refused input as much as a malformed field is.
        if (outcome.rejected || outcome.phoneRefused)
            return Rejected;
        if (QString failure; !printGrid(channel, failure)) {
            printError(failure);
            return StoreFailed;
        }
        return Ran;
    }, StoreFailure::LeftToMain);
}

class FindCommand : public Command {
public:
    FindCommand()
        : Command(QStringLiteral("find"),
                  QStringLiteral("search history.dat like \"Найти\": the message, then the grid rows"))
    {
        addDirectoryOption();
        for (const FieldOption &field : kFieldOptions)
            addOption(field.option);
        addOption(kSeedOption);
    }

protected:
    int run(const QCommandLineParser &parser) override
    {
        std::optional<std::uint32_t> seed;
        if (parser.isSet(kSeedOption)) {
            seed = parseSeed(parser.value(kSeedOption));
            if (!seed)
                return usageError(QStringLiteral("--seed needs a number from 0 to 4294967295, not %1")
                                      .arg(parser.value(kSeedOption)));
        }
        lookup::SearchFields fields;
        for (const FieldOption &field : kFieldOptions)
            if (parser.isSet(field.option))
                fields[field.field] = parser.value(field.option);
        if (!enterDirectory(parser))
            return DataFileMissing;
        return find(fields, seed);
    }
};

} // namespace

std::unique_ptr<Command> makeFindCommand()
{
    return std::make_unique<FindCommand>();
}

} // namespace cli
