#include "cli/commands.h"
#include "messages/errortext.h"
#include "cli/output.h"
#include "cli/auditproblemtext.h"
#include "cli/configuredchannel.h"

#include "store/connection.h"
#include "store/audit/fileaudit.h"
#include "store/audit/replicastate.h"
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

// The replica's line. False when the standby cannot serve lookups as it should: it cannot be read, is
// no standby, receives no log or has its replay paused.
bool reportReplica(store::QueryChannel &primary, store::Connection &replica)
{
    const QString position = store::serverLogPosition(primary);
    QString line;
    bool sound = false;
    try {
        const store::ReplicaState state = store::replicaState(replica, position);
        QString lag = QStringLiteral("%1 bytes behind").arg(state.behind);
        if (state.behind > 0)
            lag += state.secondsSinceReplay ? QStringLiteral(", last replayed transaction committed %1 s ago")
                                                  .arg(*state.secondsSinceReplay, 0, 'f', 3)
                                            : QStringLiteral(", no transaction replayed since it started");
        if (!state.standby)
            line = QStringLiteral("not a standby: the server is not in recovery, so it replays nothing");
        else if (!state.receiving)
            line = QStringLiteral("not receiving the primary's log (no WAL receiver is streaming), ") + lag;
        else if (state.paused)
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
    return withConfiguredChannel(conf, StoreWork([](store::Connection &store, store::QueryChannel &channel) {
        const store::AuditQuery query = store::firstColumnOf(channel);
        QStringList problems = auditProblemTexts(store::schemaProblems(query, store::Dialect::Postgres));
        if (problems.isEmpty())
            problems = auditProblemTexts(store::serverRightsProblems(query))
                + auditProblemTexts(store::unfitTextProblems(query, store::Dialect::Postgres));
        const int verdict = report(problems, problems.isEmpty() ? lookup::pickGaps(query) : std::vector<lookup::PickGap>{});
        if (!store.replica())
            return verdict;
        return reportReplica(channel, *store.replica()) ? verdict : Failure;
    }));
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
