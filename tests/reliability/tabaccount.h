#pragma once

#include "tests/reliability/ledger.h"

#include <QString>
#include <QStringList>

// Compares the rows of tab with what the searches said they did: the total, and the rows under
// every surname and phone number. Returns the differences; empty when everything adds up.
QStringList differencesFromLedger(const QString &file, const Ledger &ledger);
