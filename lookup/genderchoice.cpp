#include "lookup/genderchoice.h"

#include "lookup/randomsource.h"
#include "lookup/statements.h"
#include "store/querychannel.h"

namespace lookup {

GenderSet genderForName(store::QueryChannel &channel, const QString &givenName, const QString &surname)
{
    if (!givenName.isEmpty()) {
        channel.run(statements::genderCheck(givenName));
        return channel.count() > 0 ? maleSet : femaleSet;
    }
    return surname.endsWith(femaleSet.surnameSuffix) ? femaleSet : maleSet;
}

GenderSet genderAtRandom(RandomSource &random)
{
    return random.draw(2) == 1 ? maleSet : femaleSet;
}

} // namespace lookup
