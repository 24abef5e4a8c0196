#pragma once

#include "config/conffile.h"

namespace store {

class Connection;

// Points the connection at the directory a folder's conf.cfg (config::readConfFile) chooses: the
// server it names (with its replica, the pooler and the waits it sets), else history.dat. The caller
// reports a conf.cfg that could not be read.
void useConfiguredStore(Connection &connection, const config::ConfFile &conf);

} // namespace store
