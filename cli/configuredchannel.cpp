#include "cli/configuredchannel.h"

#include "cli/command.h"
#include "cli/output.h"
#include "messages/errortext.h"
#include "store/connection.h"
#include "store/configuredstore.h"
#include "store/querychannel.h"
#include "store/storeerror.h"

namespace cli {

int withConfiguredChannel(const config::ConfFile &conf, const ChannelWork &work, StoreFailure failure)
{
    return withConfiguredChannel(
        conf, StoreWork([&](store::Connection &, store::QueryChannel &channel) { return work(channel); }), failure);
}

int withConfiguredChannel(const config::ConfFile &conf, const StoreWork &work, StoreFailure failure)
{
    const auto workOnChannel = [&] {
        store::Connection connection;
        store::useConfiguredStore(connection, conf);
        store::QueryChannel channel(connection);
        return work(connection, channel);
    };
    if (failure == StoreFailure::LeftToMain)
        return workOnChannel();
    try {
        return workOnChannel();
    } catch (const store::StoreError &e) {
        printError(failure == StoreFailure::ToldNothingAdded ? messages::errorText(e, messages::NothingDone::Added)
                                                             : messages::errorText(e));
        return Failure;
    }
}

int withConfiguredChannel(const ChannelWork &work, StoreFailure failure)
{
    const std::optional<config::ConfFile> conf = readConfFile();
    return conf ? withConfiguredChannel(*conf, work, failure) : Failure;
}

} // namespace cli
