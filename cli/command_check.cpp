#include "cli/commands.h"
#include "messages/errortext.h"
#include "cli/output.h"
#include "cli/storeaudit.h"

#include "store/connection.h"
#include "store/configuredstore.h"
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
            const QString login = firstColumn("SELECT current_user").value(0);
            problems << QStringLiteral("table %1 may not be read by login %2: the directory's owner lets it in with "
                                       "zelvik-cli grant %2 reader (or operator, editor)")
                            .arg(tableName, login);
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

// The replica as PostgreSQL measures it: the bytes of log between the primary's position (read
// first) and the standby's replay position, and only while they differ the time since the last
// transaction it replayed was committed, which on an idle, caught-up standby only says how long the
// primary has been idle. It is read as lookups read it (the pooler setting included) and needs no
// monitoring role: without one the standby still shows whether a WAL receiver runs. False when the
// standby cannot serve lookups as it should: it cannot be read, is no standby, receives no log or has
// its replay paused.
bool reportReplica(store::QueryChannel &primary, store::Connection &replica)
{
    const QString position = primary.scalar(QStringLiteral("select pg_current_wal_lsn()::text"), {}).toString();
    QString line;
    bool sound = false;
    try {
        store::QueryChannel channel(replica);
        channel.run(QStringLiteral(
            "select pg_is_in_recovery()::int as standby,"
            " (case when pg_is_in_recovery() then pg_is_wal_replay_paused() else false end)::int as paused,"
            " exists(select 1 from pg_stat_wal_receiver where status is null or status = 'streaming')::int as receiving,"
            " greatest(pg_wal_lsn_diff('%1'::text::pg_lsn, pg_last_wal_replay_lsn()), 0)::bigint as behind,"
            " extract(epoch from now() - pg_last_xact_replay_timestamp())::float8 as seconds")
                        .arg(position));
        const qint64 behind = channel.integer(QStringLiteral("behind"));
        QString lag = QStringLiteral("%1 bytes behind").arg(behind);
        if (const QVariant seconds = channel.value(QStringLiteral("seconds")); behind > 0)
            lag += seconds.isNull() ? QStringLiteral(", no transaction replayed since it started")
                                    : QStringLiteral(", last replayed transaction committed %1 s ago")
                                          .arg(seconds.toDouble(), 0, 'f', 3);
        if (channel.integer(QStringLiteral("standby")) != 1)
            line = QStringLiteral("not a standby: the server is not in recovery, so it replays nothing");
        else if (channel.integer(QStringLiteral("receiving")) != 1)
            line = QStringLiteral("not receiving the primary's log (no WAL receiver is streaming), ") + lag;
        else if (channel.integer(QStringLiteral("paused")) == 1)
            line = QStringLiteral("replay is paused (pg_wal_replay_resume() resumes it), ") + lag;
        else {
            line = QStringLiteral("streaming, ") + lag;
            sound = true;
        }
    } catch (const store::StoreError &e) {
        line = QStringLiteral("cannot be read, so lookups go to the server");
        printError(messages::errorText(e));
    }
    printLine(QStringLiteral("replica %1: %2").arg(replica.storeName(), line));
    return sound;
}

// The server keeps its own tables sound; what is checked is what the program needs of them, and of
// the replica conf.cfg names.
int checkServer(const config::ConfFile &conf)
{
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
        QStringList problems = schemaProblems(query, store::Dialect::Postgres);
        if (problems.isEmpty())
            problems = serverRightsProblems(query) + unfitTextProblems(query, store::Dialect::Postgres);
        const int verdict = report(problems, problems.isEmpty() ? lookup::pickGaps(query) : std::vector<lookup::PickGap>{});
        if (!connection.replica())
            return verdict;
        return reportReplica(channel, *connection.replica()) ? verdict : Failure;
    } catch (const store::StoreError &e) {
        printError(messages::errorText(e));
        return Failure;
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
            if (!conf->server().isEmpty())
                return checkServer(*conf);
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
