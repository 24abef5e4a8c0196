#pragma once

#include <QString>
#include <QVariant>

#include <functional>

namespace pages {
class BrowserHost;
}

// The browser engine runs in other processes and answers through the event loop. These helpers process
// events until the answer is there; the time limit only keeps a broken engine from hanging the test run.
bool waitUntil(const std::function<bool()> &condition);

// The value of a script run in the page that host shows.
QVariant evaluate(pages::BrowserHost *host, const QString &script);
