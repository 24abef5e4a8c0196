#include "cli/commands.h"
#include "messages/errortext.h"
#include "cli/output.h"
#include "cli/storeaudit.h"

#include "store/connection.h"
#include "store/provisioning/datafilechecks.h"
#include "store/provisioning/fileaudit.h"
#include "store/storeerror.h"
#include "lookup/phonescheme.h"
#include "lookup/pickcoverage.h"
#include "store/querychannel.h"
#include "store/schema.h"

#include <QFileInfo>

#include <climits>
#include <functional>
#include <string>

namespace cli {

namespace {

// What the program would stumble over although SQLite finds the file sound: a table or column
// that the searches use is missing, or the numbering scheme is not set.
using Query = std::function<QStringList(const std::string &)>;

QStringList schemaProblems(const Query &firstColumn, store::Dialect dialect)
{
    QStringList problems;
    for (const store::TableDef &table : store::programTables()) {
        const std::string name(table.name);
        const QString tableName = QString::fromUtf8(table.name.data(), qsizetype(table.name.size()));
        // The catalogue shows a login only the columns it may use: a table it may not read would
        // seem to be missing.
        if (dialect == store::Dialect::Postgres
            && firstColumn("SELECT to_regclass('" + name + "') IS NOT NULL AND NOT has_table_privilege(to_regclass('"
                           + name + "'), 'SELECT')")
                == QStringList{QStringLiteral("1")}) {
            problems << QStringLiteral("table %1 may not be read by this login: ask the directory's administrator to "
                                       "grant SELECT on it")
                            .arg(tableName);
            continue;
        }
        const QStringList columns = firstColumn(
            dialect == store::Dialect::Sqlite
                ? "SELECT name FROM pragma_table_info('" + name + "')"
                : "SELECT column_name FROM information_schema.columns WHERE table_schema = current_schema() "
                  "AND table_name = '" + name + "'");
        if (columns.isEmpty()) {
            problems << QStringLiteral("table %1 is missing").arg(tableName);
            continue;
        }
        for (const store::ColumnDef &column : table.columns) {
            const QString columnName = QString::fromUtf8(column.name.data(), qsizetype(column.name.size()));
            if (!columns.contains(columnName, Qt::CaseInsensitive))
                problems << QStringLiteral("table %1 has no column %2").arg(tableName, columnName);
        }
    }
    if (!problems.isEmpty())
        return problems;
    // tel is read only by the fixed-length scheme, s = 0, where it is the length of a number.
    if (firstColumn("SELECT count(*) FROM param WHERE s <> 0 OR (s = 0 AND tel BETWEEN 1 AND "
                                  + std::to_string(lookup::kLongestPhone) + ")")
        == QStringList{QStringLiteral("0")})
        problems << QStringLiteral("table param holds no row with s, and with tel from 1 to %1 when s is 0: "
                                   "the phone numbering scheme is not set")
                        .arg(lookup::kLongestPhone);
    return problems;
}

} // namespace

namespace {

int report(const QStringList &problems, const std::vector<lookup::PickGap> &gaps);

int checkFile(const QString &path)
{
    // A directory or a pipe of that name would make SQLite fail obscurely, or wait.
    if (!QFileInfo(path).isFile()) {
        printError(path + QStringLiteral(": no such file"));
        return Failure;
    }

    QStringList problems;
    std::vector<lookup::PickGap> gaps;
    try {
        // Reading only, and never creating: an administrator's check must not change what it looks at.
        store::FileAudit file(path);
        problems = file.integrityProblems();
        const Query query = [&](const std::string &sql) { return file.firstColumn(sql); };
        if (problems.isEmpty())
            problems = schemaProblems(query, store::Dialect::Sqlite);
        if (problems.isEmpty())
            problems = unfitTextProblems(query, store::Dialect::Sqlite);
        if (problems.isEmpty())
            gaps = lookup::pickGaps(query);
    } catch (const store::StoreError &e) {
        printError(messages::errorText(e));
        return Failure;
    }
    return report(problems, gaps);
}

// The server keeps its own tables sound; what is checked is what the program needs of them.
int checkServer(const config::ConfFile &conf)
{
    QStringList problems;
    std::vector<lookup::PickGap> gaps;
    try {
        store::Connection connection;
        store::useConfiguredStore(connection, conf);
        store::QueryChannel channel(connection);
        const Query query = [&](const std::string &sql) {
            channel.run(QString::fromStdString(sql));
            channel.fetch(INT_MAX);
            QStringList values;
            for (int row = 0; row < channel.fetched(); ++row)
                values << channel.cell(row, 0).toString();
            return values;
        };
        problems = schemaProblems(query, store::Dialect::Postgres);
        if (problems.isEmpty())
            problems = serverRightsProblems(query) + unfitTextProblems(query, store::Dialect::Postgres);
        if (problems.isEmpty())
            gaps = lookup::pickGaps(query);
    } catch (const store::StoreError &e) {
        printError(messages::errorText(e));
        return Failure;
    }
    return report(problems, gaps);
}

// The replica's lag as the standby itself sees it (no monitoring role needed): how long ago the last
// transaction it replayed was committed. A replica that cannot be read is told, not a failure: the
// searches go to the server then.
void reportReplicaLag(const QString &replica)
{
    store::Connection connection;
    connection.setServer(replica);
    try {
        store::QueryChannel channel(connection);
        const QVariant lag = channel.scalar(
            QStringLiteral("select extract(epoch from now() - pg_last_xact_replay_timestamp())::float8"), {});
        if (lag.isNull())
            printLine(QStringLiteral("replica: no transaction replayed yet, lag unknown"));
        else
            printLine(QStringLiteral("replica: lag %1 s").arg(lag.toDouble(), 0, 'f', 3));
    } catch (const store::StoreError &) {
        printError(messages::replicaUnavailableText(connection.storeName()));
    }
}

int report(const QStringList &problems, const std::vector<lookup::PickGap> &gaps)
{
    if (problems.isEmpty()) {
        printLine(QStringLiteral("ok"));
        for (const lookup::PickGap &gap : gaps)
            printLine(QStringLiteral("warning: table %1 lacks ids %2 that invented entries pick from; those picks store an empty text")
                          .arg(gap.table, gap.ids));
        return Success;
    }
    for (const QString &problem : problems)
        printLine(problem);
    return Failure;
}

class CheckCommand : public Command {
public:
    CheckCommand()
        : Command(QStringLiteral("check"),
                  QStringLiteral("integrity check of history.dat (or FILE) with the program's collation, or of "
                                 "the tables on the server conf.cfg names: \"ok\" or the problems found"))
    {
        addArgument(QStringLiteral("FILE"), QStringLiteral("the file to check, in the folder (default: history.dat)"),
                    true);
        addDirectoryOption();
    }

protected:
    int run(const QCommandLineParser &parser) override
    {
        if (!enterDirectory(parser))
            return Failure;
        if (parser.positionalArguments().isEmpty()) {
            const std::optional<config::ConfFile> conf = readConfFile();
            if (!conf)
                return Failure;
            if (!conf->server().isEmpty()) {
                const int verdict = checkServer(*conf);
                if (!conf->replica().isEmpty())
                    reportReplicaLag(conf->replica());
                return verdict;
            }
        }
        return checkFile(parser.positionalArguments().value(0, QStringLiteral("history.dat")));
    }
};

} // namespace

std::unique_ptr<Command> makeCheckCommand()
{
    return std::make_unique<CheckCommand>();
}

} // namespace cli
