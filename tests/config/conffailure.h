#pragma once

#include "config/conffile.h"

#include <string>

// What a failure says, for a test's own message.
inline std::string failureText(const config::ConfFile &conf)
{
    return conf.error ? conf.error->details.join(u"; ").toStdString() : std::string();
}
