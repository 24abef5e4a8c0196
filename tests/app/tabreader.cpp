#include "tests/app/tabreader.h"

namespace {
const QString kFields = QStringLiteral("fam,im,ot,tele,ul,dom,domd,kv");
} // namespace

TabReader::TabReader(const QString &path) : m_connection(path), m_channel(m_connection) {}

qint64 TabReader::add(const Entry &e)
{
    return m_channel
        .write(QStringLiteral("insert into tab (%1) values (?,?,?,?,?,?,?,?)").arg(kFields),
               {e.surname, e.givenName, e.patronymic, e.phone, e.street, e.house, e.fraction, e.flat})
        .lastId;
}

void TabReader::addNumbered(int count)
{
    sql(QStringLiteral("insert into tab (%1) "
                       "with recursive n(i) as (select 1 union all select i + 1 from n where i < %2) "
                       "select 'Фамилия' || i, 'Имя', 'Отчество', '495' || i, 'Улица', i, '', i from n")
            .arg(kFields)
            .arg(count));
}

void TabReader::sql(const QString &statement)
{
    m_channel.write(statement, {});
}

QList<QStringList> TabReader::select(const QString &tail)
{
    m_channel.run(QStringLiteral("select %1 from tab %2").arg(kFields, tail));
    while (!m_channel.atEnd())
        m_channel.fetch(1000);
    QList<QStringList> rows;
    for (int r = 0; r < m_channel.fetched(); ++r) {
        QStringList row;
        for (int c = 0; c < 8; ++c)
            row << m_channel.cell(r, c).toString();
        rows << row;
    }
    m_channel.close();
    return rows;
}

QList<QStringList> TabReader::rows()
{
    return select(QStringLiteral("order by id"));
}

QStringList TabReader::row(qint64 id)
{
    const QList<QStringList> found = select(QStringLiteral("where id=%1").arg(id));
    return found.isEmpty() ? QStringList() : found.first();
}

void TabReader::remove(qint64 id)
{
    m_channel.write(QStringLiteral("delete from tab where id=?"), {id});
}
