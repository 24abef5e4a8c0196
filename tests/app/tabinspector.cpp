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

QList<QStringList> TabInspector::rows()
{
    m_channel.run(QStringLiteral("select %1 from tab order by id").arg(kFields));
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

QStringList TabInspector::row(qint64 id)
{
    m_channel.run(QStringLiteral("select %1 from tab where id=%2").arg(kFields).arg(id));
    QStringList row;
    if (m_channel.fetch(1) == 1)
        for (int c = 0; c < 8; ++c)
            row << m_channel.cell(0, c).toString();
    m_channel.close();
    return row;
}

void TabInspector::remove(qint64 id)
{
    m_channel.write(QStringLiteral("delete from tab where id=?"), {id});
}
