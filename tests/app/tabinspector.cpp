#include "tabinspector.h"

namespace {
const QString kFields = QStringLiteral("fam,im,ot,tele,ul,dom,domd,kv");
} // namespace

TabInspector::TabInspector(const QString &path) : m_connection(path), m_channel(m_connection) {}

qint64 TabInspector::add(const Entry &e)
{
    return m_channel
        .write(QStringLiteral("insert into tab (%1) values (?,?,?,?,?,?,?,?)").arg(kFields),
               {e.fam, e.im, e.ot, e.tele, e.ul, e.dom, e.domd, e.kv})
        .lastId;
}

void TabInspector::addNumbered(int count)
{
    sql(QStringLiteral("insert into tab (%1) "
                       "with recursive n(i) as (select 1 union all select i + 1 from n where i < %2) "
                       "select 'Фамилия' || i, 'Имя', 'Отчество', '495' || i, 'Улица', i, '', i from n")
            .arg(kFields)
            .arg(count));
}

void TabInspector::sql(const QString &statement)
{
    m_channel.write(statement, {});
}

QList<QStringList> TabInspector::select(const QString &tail)
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

QList<QStringList> TabInspector::rows()
{
    return select(QStringLiteral("order by id"));
}

QStringList TabInspector::row(qint64 id)
{
    const QList<QStringList> found = select(QStringLiteral("where id=%1").arg(id));
    return found.isEmpty() ? QStringList() : found.first();
}

void TabInspector::remove(qint64 id)
{
    m_channel.write(QStringLiteral("delete from tab where id=?"), {id});
}
