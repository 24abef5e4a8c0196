#include "tests/pages/pagewaiting.h"

#include "pages/browserhost.h"

#include <QTest>

#include <memory>

namespace {

constexpr int patienceMs = 120'000;

} // namespace

bool waitUntil(const std::function<bool()> &condition)
{
    return QTest::qWaitFor(condition, patienceMs);
}

QVariant evaluate(pages::BrowserHost *host, const QString &script)
{
    // Shared, so that an answer arriving after a failed wait finds its slot still alive.
    struct Answer {
        bool arrived = false;
        QVariant value;
    };
    auto answer = std::make_shared<Answer>();
    host->runScript(script, [answer](const QVariant &value) {
        answer->value = value;
        answer->arrived = true;
    });
    if (!waitUntil([answer] { return answer->arrived; }))
        return QStringLiteral("<no answer from the page>");
    return answer->value;
}
