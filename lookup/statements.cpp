#include "lookup/statements.h"

#include "lookup/directoryentry.h"
#include "lookup/genderset.h"

#include <QStringList>

namespace lookup::statements {

QString quoted(QStringView text)
{
    QString inner = text.toString();
    inner.replace(u'"', QStringLiteral("\"\""));
    return u'"' + inner + u'"';
}

QString surnamePick(std::int64_t id)
{
    return QStringLiteral("select fam from fam where id=%1").arg(id);
}

QString givenNamePick(const GenderSet &set, std::int64_t id)
{
    return QStringLiteral("select im from %1 where id=%2").arg(set.names.table).arg(id);
}

QString patronymicPick(const GenderSet &set, std::int64_t id)
{
    return QStringLiteral("select ot from %1 where id=%2").arg(set.patronymics.table).arg(id);
}

QString streetPick(std::int64_t id)
{
    return QStringLiteral("select ul from ul where id=%1").arg(id);
}

QString phoneScheme()
{
    return QStringLiteral("select s,tel from param");
}

QString prefixCount()
{
    return QStringLiteral("select count(*) as m from tel");
}

QString prefixPick(std::int64_t id)
{
    return QStringLiteral("select tel from tel where id=%1").arg(id);
}

QString insert(const DirectoryEntry &e)
{
    // Built by concatenation: arg() would rescan user text for %-markers.
    return QStringLiteral("insert into tab (fam,im,ot,tele,ul,dom,domd,kv) values(")
        + quoted(e.surname) + u',' + quoted(e.givenName) + u',' + quoted(e.patronymic) + u',' + quoted(e.phone) + u','
        + quoted(e.street) + u',' + QString::number(e.house) + u',' + quoted(e.fraction) + u','
        + QString::number(e.flat) + u')';
}

QString storedEntries(const QList<qint64> &ids)
{
    QStringList numbers;
    for (qint64 id : ids)
        numbers << QString::number(id);
    return QStringLiteral("select * from tab where id in (") + numbers.join(u',') + QStringLiteral(") order by id Desc");
}

QString surnameLookup(QStringView surname)
{
    return QStringLiteral("select * from tab where fam=") + quoted(surname);
}

QString nameClause(QStringView givenName)
{
    return QStringLiteral(" and im=") + quoted(givenName);
}

QString patronymicClause(QStringView patronymic)
{
    return QStringLiteral(" and ot=") + quoted(patronymic);
}

QString houseFlatFilter(std::optional<std::int32_t> house, std::optional<std::int32_t> flat)
{
    QString filter;
    if (house)
        filter += QStringLiteral(" and dom=") + QString::number(*house);
    if (flat)
        filter += QStringLiteral(" and kv=") + QString::number(*flat);
    return filter;
}

QString genderCheck(QStringView givenName)
{
    return QStringLiteral("select * from im where im=") + quoted(givenName);
}

QString phoneLookup(QStringView phone)
{
    return QStringLiteral("select * from tab where tele=") + quoted(phone);
}

QString prefixCheck(QStringView prefix)
{
    return QStringLiteral("select tel from tel where tel=") + quoted(prefix);
}

QString noEntries()
{
    return QStringLiteral("select * from tab where 1=0");
}

} // namespace lookup::statements
