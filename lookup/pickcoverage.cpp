#include "lookup/pickcoverage.h"

#include "lookup/genderset.h"

#include <algorithm>
#include <optional>
#include <set>

namespace lookup {

namespace {

QString runs(const std::vector<qint64> &ids)
{
    QStringList parts;
    for (std::size_t i = 0; i < ids.size();) {
        std::size_t j = i;
        while (j + 1 < ids.size() && ids[j + 1] == ids[j] + 1)
            ++j;
        parts << (i == j ? QString::number(ids[i]) : QStringLiteral("%1-%2").arg(ids[i]).arg(ids[j]));
        i = j + 1;
    }
    return parts.join(QStringLiteral(", "));
}

std::optional<PickGap> gapOf(const FirstColumn &firstColumn, QLatin1StringView table, qint64 count)
{
    const std::string name = table.toString().toStdString();
    std::set<qint64> present;
    for (const QString &id : firstColumn("SELECT id FROM " + name + " WHERE id BETWEEN 1 AND " + std::to_string(count)))
        present.insert(id.toLongLong());
    std::vector<qint64> missing;
    for (qint64 id = 1; id <= count; ++id)
        if (!present.contains(id))
            missing.push_back(id);
    if (missing.empty())
        return std::nullopt;
    return PickGap{table.toString(), runs(missing)};
}

} // namespace

std::vector<PickGap> pickGaps(const FirstColumn &firstColumn)
{
    const PickTable tables[] = {surnameTable,        maleSet.names,   femaleSet.names, maleSet.patronymics,
                                femaleSet.patronymics, streetTable};
    std::vector<PickGap> gaps;
    for (const PickTable &t : tables) {
        if (auto gap = gapOf(firstColumn, t.table, t.count))
            gaps.push_back(*gap);
    }
    // A draw over no prefixes still gives id 1.
    const qint64 prefixes = std::max<qint64>(1, firstColumn("SELECT count(*) FROM tel").value(0).toLongLong());
    if (auto gap = gapOf(firstColumn, QLatin1StringView("tel"), prefixes))
        gaps.push_back(*gap);
    return gaps;
}

} // namespace lookup
