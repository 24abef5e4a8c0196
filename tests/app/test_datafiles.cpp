#include "config/conffile.h"
#include "store/connection.h"
#include "store/configuredstore.h"
#include "store/provisioning/datafilechecks.h"
#include "messages/errortext.h"
#include "tests/app/qtprinting.h"
#include "tests/support/scratchfolder.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const QString dbMessage = u"Файл базы данных db.dat не найден!"_s;
const QString historyMessage = u"Файл привязок history.dat не найден!"_s;

TEST(DataFileCheck, BothPresentMeansNoMessage)
{
    DataFolder folder(DataFolder::DataFiles);
    EXPECT_TRUE(messages::missingDataFileMessages().isEmpty());
}

TEST(DataFileCheck, AnEmptyDbDatIsEnough)
{
    DataFolder folder(DataFolder::HistoryDat);
    folder.write(u"db.dat"_s, QByteArray());
    EXPECT_TRUE(store::dataFileExists(u"db.dat"_s));
}

TEST(DataFileCheck, MessagesComeInOrderDbDatFirst)
{
    DataFolder none(DataFolder::Nothing);
    EXPECT_EQ(messages::missingDataFileMessages(), QStringList({dbMessage, historyMessage}));
}

TEST(DataFileCheck, EachMissingFileHasItsOwnMessage)
{
    {
        DataFolder onlyHistory(DataFolder::HistoryDat);
        EXPECT_EQ(messages::missingDataFileMessages(), QStringList{dbMessage});
    }
    DataFolder onlyDb(DataFolder::DbDat);
    EXPECT_EQ(messages::missingDataFileMessages(), QStringList{historyMessage});
}

TEST(DataFileCheck, DirectoriesDoNotCount)
{
    DataFolder folder(DataFolder::Nothing);
    folder.makeDirectory(u"db.dat"_s);
    folder.makeDirectory(u"history.dat"_s);
    EXPECT_FALSE(store::dataFileExists(u"db.dat"_s));
    EXPECT_EQ(messages::missingDataFileMessages().size(), 2);
}

TEST(ConfFileMessage, NamesTheFileAndTheReason)
{
    const config::ConfFileError error{config::ConfFileError::Kind::Unreadable, {u"conf.cfg"_s, u"Permission denied"_s}};
    EXPECT_EQ(messages::errorText(error), u"Не удалось прочитать файл conf.cfg: Permission denied"_s);
    const config::ConfFile bad = config::parseConfFile("bd=x\nreplica_timeout=3s\n");
    ASSERT_TRUE(bad.failed());
    EXPECT_EQ(messages::errorText(*bad.error), u"В файле conf.cfg строка replica_timeout= должна задавать число секунд "
                                               u"больше нуля и не больше суток (например, replica_timeout=5), а в ней «3s»"_s);
}

TEST(ConfiguredStore, IsTheServerConfCfgNamesElseTheFile)
{
    store::Connection connection;
    connection.setDataSource(u"history.dat"_s);
    store::useConfiguredStore(connection, config::parseConfFile("bd=x\nserver=host=db dbname=zelvik\n"));
    EXPECT_TRUE(connection.isServer());
    EXPECT_EQ(connection.server(), u"host=db dbname=zelvik"_s);
    EXPECT_EQ(connection.timeout(), config::kServerTimeout);
    // With the waits it sets, the replica's its own.
    store::useConfiguredStore(connection, config::parseConfFile("bd=x\nserver=host=db\nreplica=host=db2\n"
                                                                "server_timeout=2.5\nreplica_timeout=1\n"));
    EXPECT_EQ(connection.timeout(), std::chrono::milliseconds(2500));
    ASSERT_NE(connection.replica(), nullptr);
    EXPECT_EQ(connection.replica()->timeout(), std::chrono::milliseconds(1000));
    store::useConfiguredStore(connection, config::parseConfFile("bd=x\n"));
    EXPECT_FALSE(connection.isServer());
    EXPECT_EQ(connection.dataSource(), u"history.dat"_s);
}

} // namespace
