#include "tests/lookup/directoryfixture.h"

#include "store/provisioning/filestorecreation.h"
#include "lookup/statements.h"

using lookup::DirectoryEntry;

namespace {

DirectoryEntry entryAt(store::QueryChannel &channel, int row)
{
    const QStringList columns = channel.columnNames();
    const auto cell = [&](const char *name) {
        const int column = columns.indexOf(QLatin1String(name), 0);
        return column < 0 ? QVariant() : channel.cell(row, column);
    };
    return {cell("fam").toString(), cell("im").toString(), cell("ot").toString(), cell("tele").toString(),
            cell("ul").toString(),  cell("dom").toInt(),   cell("domd").toString(), cell("kv").toInt()};
}

std::vector<DirectoryEntry> rowsOf(store::QueryChannel &channel)
{
    while (!channel.atEnd())
        channel.fetch(1000);
    std::vector<DirectoryEntry> rows;
    for (int row = 0; row < channel.fetched(); ++row)
        rows.push_back(entryAt(channel, row));
    return rows;
}

} // namespace

void lookup::PrintTo(const DirectoryEntry &e, std::ostream *out)
{
    *out << '{'
         << QStringList{e.surname, e.givenName, e.patronymic, e.phone, e.street, QString::number(e.house), e.fraction,
                        QString::number(e.flat)}
                       .join(u'|')
                       .toStdString()
         << '}';
}

QStringList numbered(const QString &stem, int count)
{
    QStringList texts;
    for (int i = 1; i <= count; ++i)
        texts << stem + QString::number(i);
    return texts;
}

void DirectoryTest::SetUp()
{
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("history.dat"));
    store::createDirectoryFile(path);
    connection = std::make_unique<store::Connection>(path);
    m_channel = std::make_unique<store::QueryChannel>(*connection);
    m_inspector = std::make_unique<store::QueryChannel>(*connection);
    m_inspector->connect();
    QObject::connect(m_channel.get(), &store::QueryChannel::statementSent,
                     [this](const QString &statement) { sent << statement; });

    fillTable(QStringLiteral("fam"), QStringLiteral("fam"), numbered(QStringLiteral("Фамилия"), 58));
    fillTable(QStringLiteral("im"), QStringLiteral("im"), numbered(QStringLiteral("Имя"), 39));
    fillTable(QStringLiteral("im2"), QStringLiteral("im"), numbered(QStringLiteral("ИмяЖ"), 23));
    fillTable(QStringLiteral("ot"), QStringLiteral("ot"), numbered(QStringLiteral("Отчество"), 39));
    fillTable(QStringLiteral("ot2"), QStringLiteral("ot"), numbered(QStringLiteral("ОтчествоЖ"), 39));
    fillTable(QStringLiteral("ul"), QStringLiteral("ul"), numbered(QStringLiteral("Улица"), 52));
    fillTable(QStringLiteral("tel"), QStringLiteral("tel"), {QStringLiteral("495"), QStringLiteral("916")});
    setScheme(1, 10);
}

void DirectoryTest::exec(const QString &statement)
{
    m_inspector->exec(statement);
}

void DirectoryTest::fillTable(const QString &table, const QString &column, const QStringList &texts)
{
    exec(QStringLiteral("delete from ") + table);
    if (texts.isEmpty())
        return;
    QStringList rows;
    for (int i = 0; i < texts.size(); ++i)
        rows << QStringLiteral("(%1,").arg(i + 1) + lookup::statements::quoted(texts[i]) + u')';
    exec(QStringLiteral("insert into %1 (id,%2) values ").arg(table, column) + rows.join(u','));
}

void DirectoryTest::setScheme(std::optional<qint64> s, std::optional<qint64> tel)
{
    const auto number = [](std::optional<qint64> v) { return v ? QString::number(*v) : QStringLiteral("null"); };
    exec(QStringLiteral("delete from param"));
    exec(QStringLiteral("insert into param (s,tel) values (%1,%2)").arg(number(s), number(tel)));
}

std::vector<DirectoryEntry> DirectoryTest::entries(const QString &statement)
{
    m_inspector->run(statement);
    return rowsOf(*m_inspector);
}

std::vector<DirectoryEntry> DirectoryTest::allEntries()
{
    return entries(QStringLiteral("select * from tab order by id"));
}

void DirectoryTest::addEntry(const DirectoryEntry &entry)
{
    exec(lookup::statements::insert(entry));
}

std::vector<DirectoryEntry> DirectoryTest::shownEntries()
{
    return rowsOf(*m_channel);
}

ShownOutcome DirectoryTest::find(const lookup::SearchFields &fields, std::uint32_t seed)
{
    sent.clear();
    random.setFixedSeed(seed);
    return lookup::search(*m_channel, random, fields);
}

std::uint32_t seedWhere(const std::function<bool(lookup::RandomSource &)> &wanted)
{
    for (std::uint32_t seed = 0;; ++seed) {
        lookup::RandomSource probe;
        probe.setState(seed);
        if (wanted(probe))
            return seed;
    }
}
