#pragma once

#include <functional>

namespace config {
struct ConfFile;
}
namespace store {
class Connection;
class QueryChannel;
}

namespace cli {

// A command's work on the directory: its exit status.
using ChannelWork = std::function<int(store::QueryChannel &channel)>;
// The same, for work that also asks the store itself (its replica).
using StoreWork = std::function<int(store::Connection &store, store::QueryChannel &channel)>;

// What becomes of a store failure the work lets out.
enum class StoreFailure {
    Told,             // said in the user's words, and the command ends with Failure
    ToldNothingAdded, // the same, then that nothing was added
    LeftToMain,       // main says it under the command's name
};

// The setup the commands on the directory share: the store the folder's conf.cfg names (conf, read
// already), configured as the window configures it, and one channel to it for the work.
int withConfiguredChannel(const config::ConfFile &conf, const ChannelWork &work,
                          StoreFailure failure = StoreFailure::Told);
int withConfiguredChannel(const config::ConfFile &conf, const StoreWork &work,
                          StoreFailure failure = StoreFailure::Told);
// The same, reading conf.cfg first; one that cannot be read ends the command with Failure.
int withConfiguredChannel(const ChannelWork &work, StoreFailure failure = StoreFailure::Told);

} // namespace cli
