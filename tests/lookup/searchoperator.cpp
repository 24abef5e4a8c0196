// One operator's program for the tests that search at the same instant: in a folder whose conf.cfg
// names the directory, it searches each surname at its planned moment (START plus PERIOD for each
// surname before it, in milliseconds since the epoch), so that copies started together search each
// surname at once, and prints "SURNAME<tab>the search's message", or its error.
// usage: zelvik_test_search_operator FOLDER START PERIOD SEED SURNAME...
#include "config/conffile.h"
#include "lookup/randomsource.h"
#include "lookup/search.h"
#include "tests/lookup/shownoutcome.h"
#include "store/connection.h"
#include "store/configuredstore.h"
#include "store/querychannel.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QThread>

#include <cstdio>

int main(int argc, char **argv)
{
    const QCoreApplication application(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 6 || !QDir::setCurrent(args[1]))
        return 1;
    store::Connection connection;
    store::useConfiguredStore(connection, config::readConfFile());
    store::QueryChannel channel(connection);
    lookup::RandomSource random;
    random.setFixedSeed(args[4].toUInt());
    channel.connect(); // before the first moment, as an operator's window is
    for (qsizetype i = 5; i < args.size(); ++i) {
        const qint64 moment = args[2].toLongLong() + (i - 5) * args[3].toLongLong();
        QThread::msleep(std::max<qint64>(moment - QDateTime::currentMSecsSinceEpoch(), 0));
        lookup::SearchFields fields;
        fields[store::EntryField::Surname] = args[i];
        const ShownOutcome outcome = lookup::search(channel, random, fields);
        const QString said = outcome.error.isEmpty() ? outcome.message.value_or(QString()) : QStringLiteral("error: ") + outcome.error;
        std::printf("%s\t%s\n", qUtf8Printable(args[i]), qUtf8Printable(said));
    }
    return 0;
}
