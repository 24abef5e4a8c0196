// Started from the menu, the program works in the user's data folder, made on first start.
#include "tests/app/boxrecorder.h"
#include "store/provisioning/datafilechecks.h"
#include "messages/errortext.h"
#include "tests/support/scratchfolder.h"
#include "app/userdatafolder.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

#include <functional>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using Kind = app::MessageBoxes::Kind;

namespace {

class UserDataFolder : public testing::Test {
protected:
    UserDataFolder() { qputenv("XDG_DATA_HOME", home.path(u"data"_s).toLocal8Bit()); }
    ~UserDataFolder() override
    {
        if (previous.isNull())
            qunsetenv("XDG_DATA_HOME");
        else
            qputenv("XDG_DATA_HOME", previous);
    }

    QString folder() const { return home.path(u"data/zelvik"_s); }
    bool isCurrent(const QString &path) const { return QDir::current().canonicalPath() == QDir(path).canonicalPath(); }

    QByteArray previous = qgetenv("XDG_DATA_HOME");
    DataFolder home{DataFolder::Nothing}; // the current folder until the test enters another
    BoxRecorder boxes;
};

// Answers the region box each time it opens, with the next of the given answers, and keeps what
// it said.
class RegionBox : public QObject {
public:
    using Answer = std::function<void(QDialog &box)>;

    explicit RegionBox(QList<Answer> answers) : m_answers(std::move(answers))
    {
        connect(&m_poll, &QTimer::timeout, this, [this] {
            auto *box = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            if (!box || box->objectName() != u"regionQuestion"_s || m_answered.contains(box))
                return;
            m_answered.append(box);
            texts.append(box->findChild<QLabel *>(u"regionText"_s)->text());
            if (m_answers.isEmpty())
                return box->reject();
            m_answers.takeFirst()(*box);
        });
        m_poll.start(10);
    }

    QStringList texts;

private:
    QList<Answer> m_answers;
    QList<QPointer<QDialog>> m_answered;
    QTimer m_poll;
};

void give(QDialog &box, const QString &region)
{
    box.findChild<QLineEdit *>(u"regionField"_s)->setText(region);
}

QPushButton *okOf(QDialog &box)
{
    return box.findChild<QPushButton *>(u"okButton"_s);
}

TEST_F(UserDataFolder, FirstStartMakesItAndAsksForTheRegionUntilOneIsGiven)
{
    QString refused;
    RegionBox region({
        [](QDialog &box) { box.findChild<QPushButton *>(u"cancelButton"_s)->click(); },
        [&refused](QDialog &box) {
            give(box, u"Токио 東京"_s);
            refused = okOf(box)->isEnabled() ? QString() : box.findChild<QLabel *>(u"regionRefusal"_s)->text();
            give(box, u" Москва "_s);
            okOf(box)->click();
        },
    });
    ASSERT_TRUE(app::enterUserDataFolder());
    EXPECT_TRUE(isCurrent(folder()));
    EXPECT_TRUE(messages::missingDataFileMessages().isEmpty());
    EXPECT_GT(QFileInfo(u"history.dat"_s).size(), 0);
    ASSERT_EQ(region.texts.size(), 1);
    EXPECT_TRUE(region.texts[0].contains(u"Создана папка данных"_s)) << region.texts[0].toStdString();
    EXPECT_TRUE(region.texts[0].contains(folder())) << region.texts[0].toStdString();
    EXPECT_FALSE(QFileInfo::exists(u"conf.cfg"_s));

    // Cancelled, the question comes again; a name Windows-1251 cannot hold is refused, saying why.
    QDir::setCurrent(home.path(u"."_s));
    ASSERT_TRUE(app::enterUserDataFolder());
    EXPECT_EQ(region.texts.size(), 2);
    EXPECT_TRUE(refused.contains(u"東"_s)) << refused.toStdString();
    EXPECT_FALSE(refused.contains(u"Т"_s)) << refused.toStdString();
    EXPECT_EQ(home.read(u"data/zelvik/conf.cfg"_s), QByteArray("bd=\xCC\xEE\xF1\xEA\xE2\xE0\n"));

    // A folder with conf.cfg is the user's: no question, nothing written.
    ASSERT_TRUE(app::enterUserDataFolder());
    EXPECT_EQ(region.texts.size(), 2);
    EXPECT_EQ(home.read(u"data/zelvik/conf.cfg"_s), QByteArray("bd=\xCC\xEE\xF1\xEA\xE2\xE0\n"));
    EXPECT_TRUE(boxes.shown().isEmpty());
}

// A folder that holds one data file, or only the conf.cfg an administrator put there, is the user's
// already: nothing is added to it, and the usual check names what is missing.
struct HeldFile {
    const char *name;
    QByteArray bytes;
};

class UserDataFolderHolding : public UserDataFolder, public testing::WithParamInterface<HeldFile> {};

TEST_P(UserDataFolderHolding, IsLeftAsItIsToTheUsualCheck)
{
    const QString name = QLatin1String(GetParam().name);
    ASSERT_TRUE(QDir().mkpath(folder()));
    home.write(u"data/zelvik/"_s + name, GetParam().bytes);
    ASSERT_TRUE(app::enterUserDataFolder());
    EXPECT_TRUE(isCurrent(folder()));
    EXPECT_EQ(QDir().entryList(QDir::Files | QDir::Hidden), QStringList{name});
    EXPECT_EQ(home.read(u"data/zelvik/"_s + name), GetParam().bytes);
    EXPECT_TRUE(boxes.shown().isEmpty());
    EXPECT_FALSE(messages::missingDataFileMessages().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Files, UserDataFolderHolding,
                         testing::Values(HeldFile{"db.dat", {}},
                                         HeldFile{"conf.cfg", "bd=\nserver=host=db.office.local dbname=zelvik\n"}),
                         [](const testing::TestParamInfo<HeldFile> &info) {
                             return info.param.name[0] == 'd' ? std::string("DbDat") : std::string("ConfCfg");
                         });

TEST_F(UserDataFolder, AFolderThatCannotBeMadeIsReportedAndStopsTheStart)
{
    home.write(u"data"_s, "a file where the folder should be");
    EXPECT_FALSE(app::enterUserDataFolder());
    EXPECT_TRUE(isCurrent(home.path(u"."_s)));
    ASSERT_EQ(boxes.shown().size(), 1);
    EXPECT_EQ(boxes.shown().first().kind, Kind::Error);
    EXPECT_TRUE(boxes.shown().first().text.contains(folder())) << boxes.shown().first().text.toStdString();
}

} // namespace
