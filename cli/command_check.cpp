#include "cli/commands.h"
#include "messages/errortext.h"
#include "cli/output.h"
#include "cli/auditproblemtext.h"

#include "store/connection.h"
#include "store/configuredstore.h"
#include "store/audit/fileaudit.h"
#include "store/audit/storeaudit.h"
#include "store/storeerror.h"
#include "lookup/pickcoverage.h"
#include "store/querychannel.h"

#include <QFileInfo>

#include <string>

namespace cli {

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
        const store::AuditQuery query = [&](const std::string &sql) { return file.firstColumn(sql); };
        if (problems.isEmpty())
            problems = auditProblemTexts(store::schemaProblems(query, store::Dialect::Sqlite));
        if (problems.isEmpty())
            problems = auditProblemTexts(store::unfitTextProblems(query, store::Dialect::Sqlite));
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
        const store::AuditQuery query = store::firstColumnOf(channel);
        QStringList problems = auditProblemTexts(store::schemaProblems(query, store::Dialect::Postgres));
        if (problems.isEmpty())
            problems = auditProblemTexts(store::serverRightsProblems(query))
                + auditProblemTexts(store::unfitTextProblems(query, store::Dialect::Postgres));
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
