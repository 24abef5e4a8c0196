// An office's directory on a server, used by logins of each role: each gets what its role allows and
// a clear word for what it does not. Logins authenticate with scram-sha-256, their passwords in a
// password file; the directory's administrator is a login with CREATEROLE, no superuser.
#include "tests/app/mainwindowfixture.h"
#include "tests/server/scramserver.h"
#include "tests/support/clirunner.h"

#include "app/searchfieldnames.h"
#include "lookup/randomsource.h"
#include "messages/permissiontext.h"
#include "store/admin/serverroles.h"
#include "tests/support/seeds.h"

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

#include <array>
#include <memory>

using namespace Qt::StringLiterals;
using store::DirectoryRole;
using store::EntryAction;

namespace {

const QString kDatabase = u"office"_s;
const QString kAdministrator = u"boss"_s;

struct RoleCase {
    DirectoryRole role;
    QString login;
    QString word; // as zelvik-cli grant takes it
    bool add;
    bool change; // and delete
};

const std::array<RoleCase, store::kDirectoryRoleCount> kRoles{{
    {DirectoryRole::Reader, u"alice"_s, u"reader"_s, false, false},
    {DirectoryRole::Operator, u"olga"_s, u"operator"_s, true, false},
    {DirectoryRole::Editor, u"egor"_s, u"editor"_s, true, true},
}};

std::string roleName(const ::testing::TestParamInfo<RoleCase> &info)
{
    return info.param.word.toStdString();
}

void PrintTo(const RoleCase &c, std::ostream *out)
{
    *out << c.word.toStdString();
}

// The office, made once a test program: the server, the directory its administrator made with
// init, and a login of each role granted by the administrator.
// A statement of the test's own that must succeed.
void check(const std::string &result)
{
    if (result.rfind("error", 0) == 0)
        throw std::runtime_error(result);
}

class Office {
public:
    Office()
    {
        server.addLogin(kAdministrator, u"CREATEROLE"_s);
        check(server.asSuperuser(QStringLiteral("CREATE DATABASE %1 OWNER %2 TEMPLATE template0 ENCODING 'UTF8'")
                                     .arg(kDatabase, kAdministrator)
                                     .toStdString()));
        const CliRun init = administer({u"init"_s, adminFolder.path(), u"--server"_s, administratorServer()});
        if (init.exitCode != 0)
            throw std::runtime_error("init failed: " + init.err.toStdString());
        for (const RoleCase &c : kRoles) {
            server.addLogin(c.login);
            const CliRun grant = administer({u"grant"_s, c.login, c.word, u"--server"_s, administratorServer()});
            if (grant.exitCode != 0)
                throw std::runtime_error("grant failed: " + grant.err.toStdString());
        }
    }

    QString administratorServer() const { return server.conninfo(kDatabase, kAdministrator); }
    CliRun administer(const QStringList &args) const { return runCli(adminFolder.path(), args); }
    // tab holds just these two entries again.
    void resetEntries() const
    {
        check(asOwner("TRUNCATE tab; INSERT INTO tab(fam, im, ot, tele, ul, dom, domd, kv) VALUES "
                      "('Иванов', 'Иван', 'Иванович', '4951111111', 'Ленина', 1, '', 10), "
                      "('Петров', 'Пётр', 'Петрович', '4952222222', 'Мира', 2, '', 20)"));
    }
    std::string asOwner(const std::string &sql) const { return server.asSuperuser(sql, kDatabase); }
    std::string entries() const
    {
        return asOwner("select string_agg(concat_ws(' ', fam, im, ul, dom), ', ' order by id) from tab");
    }
    // A folder whose conf.cfg leads to the directory as that login.
    std::unique_ptr<QTemporaryDir> folderFor(const QString &login) const
    {
        auto folder = std::make_unique<QTemporaryDir>();
        QFile conf(folder->filePath(u"conf.cfg"_s));
        QFile marker(folder->filePath(u"db.dat"_s));
        if (!conf.open(QIODevice::WriteOnly) || !marker.open(QIODevice::WriteOnly))
            throw std::runtime_error("cannot write a login's folder");
        conf.write("bd=\xd2\xe5\xf1\xf2\nserver=" + server.conninfo(kDatabase, login).toUtf8() + "\n");
        return folder;
    }

    ScramServer server;

private:
    QTemporaryDir adminFolder;
};

Office &office()
{
    static Office theOffice;
    return theOffice;
}

CliRun findAs(const QString &login, const QStringList &args)
{
    const auto folder = office().folderFor(login);
    return runCli(folder->path(), QStringList{u"find"_s} + args);
}

// ---- The window, as each role ----

class RoleInWindow : public MainWindowTest, public ::testing::WithParamInterface<RoleCase> {
protected:
    void SetUp() override
    {
        office().resetEntries();
        loginFolder = office().folderFor(GetParam().login);
        QDir::setCurrent(loginFolder->path()); // the fixture's own folder puts the old one back
        openWindow();
        activate();
        ASSERT_TRUE(boxes.shown().isEmpty()) << boxes.texts().join(u'\n').toStdString();
    }

    void search(const QString &surname)
    {
        QLineEdit *field = child<QLineEdit>(app::kSearchFieldNames[0]);
        field->setText(surname);
        QTest::mouseClick(child<QPushButton>("searchButton"), Qt::LeftButton);
        settle();
    }
    void clickCell(int row, int column)
    {
        const QModelIndex index = grid()->model()->index(row, column);
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, grid()->visualRect(index).center());
    }
    void leaveGrid()
    {
        QTest::mouseClick(child<QLineEdit>("surnameField"), Qt::LeftButton);
        settle();
    }
    // The boxes shown since the last call.
    QStringList newBoxes()
    {
        QStringList texts = boxes.texts().mid(seen);
        seen = int(boxes.shown().size());
        return texts;
    }

    std::unique_ptr<QTemporaryDir> loginFolder;
    int seen = 0;
};

TEST_P(RoleInWindow, EditsAndDeletesOnlyWithItsRightsAndSaysSoOnce)
{
    const RoleCase &role = GetParam();
    const std::string before = office().entries();
    search(u"иванов"_s);
    ASSERT_EQ(messagePanel(), u"Найдено: 1"_s);
    EXPECT_EQ(newBoxes(), QStringList());

    for (int attempt = 0; attempt < 2; ++attempt) {
        clickCell(0, store::EntryField::Street);
        typeText(u"Арбат"_s);
        leaveGrid();
    }
    EXPECT_EQ(newBoxes(), role.change ? QStringList() : QStringList{messages::permissionText(EntryAction::Change)});
    EXPECT_EQ(office().entries(), role.change ? "Иванов Иван Арбат 1, Петров Пётр Мира 2" : before);

    clickCell(0, store::EntryField::Surname);
    pressKey(Qt::Key_Delete, Qt::ControlModifier);
    settle();
    EXPECT_EQ(newBoxes(), QStringList{role.change ? u"Delete record?"_s : messages::permissionText(EntryAction::Delete)});
    EXPECT_EQ(office().entries(), role.change ? "Петров Пётр Мира 2" : before);
}

TEST_P(RoleInWindow, AddsRowsAndStoresInventedEntriesOnlyWithItsRights)
{
    const RoleCase &role = GetParam();
    search(u"петров"_s);
    clickCell(0, store::EntryField::Surname);
    pressKey(Qt::Key_Insert);
    settle();
    EXPECT_EQ(grid()->model()->rowCount(), role.add ? 2 : 1);
    EXPECT_EQ(newBoxes(), role.add ? QStringList() : QStringList{messages::permissionText(EntryAction::Add)});
    if (role.add) {
        typeText(u"Новиков"_s);
        leaveGrid();
        EXPECT_NE(office().entries().find("Новиков"), std::string::npos);
    }

    // A search may draw no entry to invent: it then says «Найдено: 0», whatever the role.
    int attempts = 0;
    do
        search(u"сидоров"_s);
    while (grid()->model()->rowCount() == 0 && ++attempts < 20);
    const QStringList told = newBoxes();
    if (role.add) {
        EXPECT_EQ(told, QStringList());
        EXPECT_GT(grid()->model()->rowCount(), 0);
        EXPECT_NE(office().entries().find("Сидоров"), std::string::npos);
    } else {
        ASSERT_FALSE(told.isEmpty()) << "no search drew an entry to invent";
        for (const QString &text : told)
            EXPECT_EQ(text, messages::notFoundMayNotAddText());
        EXPECT_EQ(grid()->model()->rowCount(), 0);
        EXPECT_EQ(office().entries().find("Сидоров"), std::string::npos);
    }
}

INSTANTIATE_TEST_SUITE_P(Roles, RoleInWindow, ::testing::ValuesIn(kRoles), roleName);

// ---- zelvik-cli find, as each role ----

class RoleInFind : public ::testing::TestWithParam<RoleCase> {
protected:
    void SetUp() override { office().resetEntries(); }
};

TEST_P(RoleInFind, FindsAndInventsOnlyWithItsRights)
{
    const RoleCase &role = GetParam();
    const CliRun hit = findAs(role.login, {u"--surname"_s, u"иванов"_s});
    EXPECT_EQ(hit.exitCode, 0) << hit.err.toStdString();
    EXPECT_EQ(hit.firstLine(), u"Найдено: 1"_s);

    const CliRun none = findAs(role.login, {u"--surname"_s, u"сидоров"_s, u"--seed"_s,
                                            QString::number(seeds::inventing(0))});
    EXPECT_EQ(none.exitCode, 0);
    EXPECT_EQ(none.firstLine(), u"Найдено: 0"_s);

    const CliRun refusedNumber = findAs(role.login, {u"--phone"_s, u"12"_s});
    EXPECT_EQ(refusedNumber.exitCode, 1);
    EXPECT_EQ(refusedNumber.firstLine(), u"Указан неверный номер телефона. Необходимо указать 10 последних цифр."_s);

    const CliRun miss = findAs(role.login, {u"--surname"_s, u"сидоров"_s, u"--seed"_s,
                                            QString::number(seeds::inventing(3))});
    const CliRun phoneMiss = findAs(role.login, {u"--phone"_s, u"4957654321"_s});
    if (role.add) {
        EXPECT_EQ(miss.exitCode, 0) << miss.err.toStdString();
        EXPECT_EQ(miss.firstLine(), u"Найдено: 3"_s);
        EXPECT_EQ(phoneMiss.exitCode, 0) << phoneMiss.err.toStdString();
    } else {
        for (const CliRun &run : {miss, phoneMiss}) {
            EXPECT_EQ(run.exitCode, 2);
            EXPECT_EQ(run.out, QString());
            EXPECT_EQ(run.err.trimmed(), messages::notFoundMayNotAddText());
        }
        EXPECT_EQ(office().entries(), "Иванов Иван Ленина 1, Петров Пётр Мира 2");
    }
}

INSTANTIATE_TEST_SUITE_P(Roles, RoleInFind, ::testing::ValuesIn(kRoles), roleName);

// ---- Letting logins in and out ----

TEST(RoleMembership, GrantAndRevokeTakeEffectAtTheNextConnection)
{
    Office &o = office();
    o.resetEntries();
    o.server.addLogin(u"vera"_s);
    const auto search = [] { return findAs(u"vera"_s, {u"--surname"_s, u"иванов"_s}); };
    EXPECT_EQ(search().exitCode, 2) << "a login of no role reads nothing";
    EXPECT_EQ(search().err.trimmed(), messages::permissionText(EntryAction::Read));

    for (const QString &word : {u"editor"_s, u"reader"_s}) { // the second replaces the first
        const CliRun grant = o.administer({u"grant"_s, u"vera"_s, word, u"--server"_s, o.administratorServer()});
        EXPECT_EQ(grant.exitCode, 0) << grant.err.toStdString();
    }
    EXPECT_EQ(search().firstLine(), u"Найдено: 1"_s);
    EXPECT_EQ(o.asOwner("select string_agg(r.rolname, ',') from pg_auth_members m join pg_roles r on r.oid = m.roleid "
                        "where m.member = 'vera'::regrole"),
              "office_reader");

    const CliRun revoke = o.administer({u"revoke"_s, u"vera"_s, u"--server"_s, o.administratorServer()});
    EXPECT_EQ(revoke.exitCode, 0) << revoke.err.toStdString();
    EXPECT_EQ(search().err.trimmed(), messages::permissionText(EntryAction::Read));
}

// Every membership ends, and what the login still reaches through a role of its own is said; a login
// the server does not have is no silent success.
TEST(RoleMembership, RevokeEndsEveryMembershipAndSaysWhatIsLeft)
{
    Office &o = office();
    o.server.addLogin(u"rita"_s);
    ASSERT_EQ(o.administer({u"grant"_s, u"rita"_s, u"editor"_s, u"--server"_s, o.administratorServer()}).exitCode, 0);
    ASSERT_EQ(o.server.asSuperuser("CREATE ROLE staff; GRANT office_reader TO staff; GRANT staff TO rita"), "");

    const CliRun revoke = o.administer({u"revoke"_s, u"rita"_s, u"--server"_s, o.administratorServer()});
    EXPECT_EQ(revoke.exitCode, 0) << revoke.err.toStdString();
    EXPECT_EQ(revoke.outLines(),
              (QStringList{u"rita is no longer a member of office_editor"_s,
                           u"rita still has the rights of office_reader through another role it is a member of; "
                           "revoke that role's membership with PostgreSQL's own tools"_s}));
    EXPECT_EQ(o.asOwner("select count(*) from pg_auth_members where member = 'rita'::regrole"), "1");

    for (const QStringList &args : {QStringList{u"grant"_s, u"nobody_here"_s, u"reader"_s},
                                    QStringList{u"revoke"_s, u"nobody_here"_s}}) {
        const CliRun refused = o.administer(args + QStringList{u"--server"_s, o.administratorServer()});
        EXPECT_EQ(refused.exitCode, 2) << args.join(u' ').toStdString();
        EXPECT_TRUE(refused.err.contains(u"нет пользователя (роли) nobody_here"_s)) << refused.err.toStdString();
    }
}

// Grants run at the same moment each wait for the one before, where they would fail on each other's
// changes to the same tables' rights.
TEST(RoleMembership, GrantsAtOneMomentAllSucceed)
{
    Office &o = office();
    constexpr int kLogins = 6;
    std::array<QProcess, kLogins> grants;
    for (int i = 0; i < kLogins; ++i) {
        const QString login = u"clerk%1"_s.arg(i);
        o.server.addLogin(login);
        prepareCli(grants[std::size_t(i)], QDir::tempPath(),
                   {u"grant"_s, login, u"operator"_s, u"--server"_s, o.administratorServer()});
    }
    for (QProcess &grant : grants)
        grant.start();
    for (QProcess &grant : grants) {
        ASSERT_TRUE(grant.waitForFinished(60000));
        const CliRun run = collect(grant);
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    }
    EXPECT_EQ(o.asOwner("select count(*) from pg_auth_members where roleid = 'office_operator'::regrole "
                        "and member::regrole::text like 'clerk%'"),
              std::to_string(kLogins));
}

// Roles are the whole server's: a database dropped and made again under its name would hand the new
// directory to whoever the old one's roles held, and a name too long for the roles' would be cut.
TEST(DirectoryRoles, OnlyTheirMakersWordLetsAnOlderDirectorysMembersIn)
{
    Office &o = office();
    const auto database = [&](const QString &name) {
        check(o.server.asSuperuser(
            QStringLiteral("CREATE DATABASE \"%1\" OWNER %2 TEMPLATE template0 ENCODING 'UTF8'").arg(name, kAdministrator).toStdString()));
        return o.server.conninfo(name, kAdministrator);
    };
    const QString annex = database(u"annex"_s);
    QTemporaryDir folders;
    ASSERT_EQ(o.administer({u"init"_s, folders.filePath(u"old"_s), u"--server"_s, annex}).exitCode, 0);
    o.server.addLogin(u"ursula"_s);
    ASSERT_EQ(o.administer({u"grant"_s, u"ursula"_s, u"editor"_s, u"--server"_s, annex}).exitCode, 0);
    check(o.server.asSuperuser("DROP DATABASE annex"));
    database(u"annex"_s);

    ASSERT_EQ(o.administer({u"init"_s, folders.filePath(u"file"_s)}).exitCode, 0);
    for (const QStringList &args : {QStringList{u"init"_s, folders.filePath(u"new"_s), u"--server"_s, annex},
                                    QStringList{u"copy"_s, folders.filePath(u"file/history.dat"_s), annex}}) {
        const CliRun refused = o.administer(args);
        EXPECT_EQ(refused.exitCode, 2) << args.first().toStdString();
        EXPECT_TRUE(refused.err.contains(u"annex_editor: ursula"_s)) << refused.err.toStdString();
        EXPECT_EQ(o.server.asSuperuser("select count(*) from pg_class where relname = 'tab'", u"annex"_s), "0");
    }
    const CliRun kept = o.administer({u"init"_s, folders.filePath(u"new"_s), u"--server"_s, annex, u"--keep-role-members"_s});
    EXPECT_EQ(kept.exitCode, 0) << kept.err.toStdString();

    // Each role name is the database's and a suffix of at most 9 bytes, in the server's 63.
    const QString longest = QString(27, u'ж'); // 54 bytes
    for (const QString &name : {longest, longest + u'x'}) {
        const CliRun init = o.administer(
            {u"init"_s, folders.filePath(u"long%1"_s.arg(name.size())), u"--server"_s, database(name)});
        const std::string roles = o.server.asSuperuser(
            "select count(*) from pg_roles where rolname like '" + name.toStdString() + "%'");
        if (name == longest) {
            EXPECT_EQ(init.exitCode, 0) << init.err.toStdString();
            EXPECT_EQ(roles, "3");
        } else {
            EXPECT_EQ(init.exitCode, 2);
            EXPECT_TRUE(init.err.contains(u"занимает 55 байт, а можно не больше 54"_s)) << init.err.toStdString();
            EXPECT_EQ(roles, "0");
        }
    }
}

TEST(RoleMembership, WithoutTheRightsItNeedsNothingChangesAndTheMessageNamesTheRight)
{
    Office &o = office();
    // No CREATEROLE: init makes no tables and no roles.
    o.server.addLogin(u"clerk"_s);
    o.server.asSuperuser("CREATE DATABASE clerks OWNER clerk");
    QTemporaryDir folder;
    const CliRun init = o.administer({u"init"_s, folder.path(), u"--server"_s, o.server.conninfo(u"clerks"_s, u"clerk"_s)});
    EXPECT_EQ(init.exitCode, 2);
    EXPECT_TRUE(init.err.contains(u"CREATEROLE"_s)) << init.err.toStdString();
    EXPECT_EQ(o.server.asSuperuser("select count(*) from pg_class where relname = 'tab'", u"clerks"_s), "0");
    EXPECT_EQ(o.server.asSuperuser("select count(*) from pg_roles where rolname like 'clerks%'"), "0");

    // Not the owner of the tables: an editor cannot let anyone in.
    const CliRun grant = o.administer({u"grant"_s, u"alice"_s, u"editor"_s, u"--server"_s,
                                       o.server.conninfo(kDatabase, u"egor"_s)});
    EXPECT_EQ(grant.exitCode, 2);
    EXPECT_TRUE(grant.err.contains(u"egor не владеет таблицей tab"_s)) << grant.err.toStdString();
    EXPECT_EQ(findAs(u"alice"_s, {u"--surname"_s, u"сидоров"_s, u"--seed"_s, QString::number(seeds::inventing(3))})
                  .err.trimmed(),
              messages::notFoundMayNotAddText())
        << "alice is still a reader";
}

} // namespace
