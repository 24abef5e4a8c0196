#include "store/configuredstore.h"

#include "store/connection.h"

namespace store {

void useConfiguredStore(Connection &connection, const config::ConfFile &conf)
{
    connection.setServer(conf.server());
    connection.setTransactionPooling(conf.transactionPooling());
    connection.setReplica(conf.server().isEmpty() ? QString() : conf.replica());
    connection.setTimeout(conf.serverTimeout());
    if (Connection *replica = connection.replica())
        replica->setTimeout(conf.replicaTimeout());
}

} // namespace store
