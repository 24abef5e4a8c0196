#pragma once

#include "store/entryrights.h"

#include <QString>

namespace messages {

// What this login may not do to the directory's entries, and whom to ask: one sentence per action.
QString permissionText(store::EntryAction action);

// A search that found nothing and would have added the entries it invents, which this login may not.
QString notFoundMayNotAddText();

} // namespace messages
