#include "bench/referencenames.h"

#include "store/provisioning/sampledata.h"

#include <map>

namespace bench {

ReferenceNames sampleReferenceNames()
{
    ReferenceNames names;
    const std::map<QString, std::vector<std::string> *> targets = {
        {QStringLiteral("im"), &names.maleNames},          {QStringLiteral("im2"), &names.femaleNames},
        {QStringLiteral("ot"), &names.malePatronymics},    {QStringLiteral("ot2"), &names.femalePatronymics},
        {QStringLiteral("ul"), &names.streets},            {QStringLiteral("tel"), &names.phonePrefixes},
    };
    for (const store::ReferenceRows &rows : store::sampleReferenceRows()) {
        const auto target = targets.find(rows.table);
        if (target == targets.end())
            continue;
        for (const QString &value : rows.values)
            target->second->push_back(value.toStdString());
    }
    return names;
}

} // namespace bench
