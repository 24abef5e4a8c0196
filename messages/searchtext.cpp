#include "messages/searchtext.h"

#include "lookup/search.h"
#include "messages/errortext.h"
#include "messages/fieldtitles.h"
#include "messages/permissiontext.h"
#include "store/storeerror.h"

#include <new>

namespace messages {

QString verdictText(const lookup::Verdict &verdict)
{
    switch (verdict.kind) {
    case lookup::Verdict::Kind::Passed:
        return {};
    case lookup::Verdict::Kind::NothingToSearch:
        return QStringLiteral("Необходимо указать фамилию или номер телефона.");
    case lookup::Verdict::Kind::BadFormat:
        return QStringLiteral("Неверный формат ввода: %1.").arg(fieldWords(verdict.field).inSentence);
    }
    return {};
}

QString lookupText(const lookup::LookupResult &result)
{
    using Kind = lookup::LookupResult::Kind;
    switch (result.kind) {
    case Kind::Found:
        return QStringLiteral("Найдено: ") + QString::number(result.number);
    case Kind::SubscriberFound:
        return QStringLiteral("Абонент найден.");
    case Kind::PhoneNotFound:
        return QStringLiteral("Номер телефона не найден.");
    case Kind::PhoneWrongLength:
        return QStringLiteral("Указан неверный номер телефона. Необходимо указать %1 последних цифр.")
            .arg(result.number);
    case Kind::PhoneInvented:
    case Kind::AdditionRefused:
        return {};
    }
    return {};
}

std::optional<QString> panelText(const lookup::SearchOutcome &outcome)
{
    if (!outcome.verdict)
        return std::nullopt;
    if (!outcome.verdict->passed())
        return verdictText(*outcome.verdict);
    // A search that failed after the checks clears the panel.
    return outcome.result ? lookupText(*outcome.result) : QString();
}

QString searchErrorText(const lookup::SearchOutcome &outcome)
{
    if (outcome.failure) {
        try {
            std::rethrow_exception(outcome.failure);
        } catch (const std::exception &failure) {
            return failureText(failure);
        }
    }
    if (outcome.readRefused)
        return permissionText(store::EntryAction::Read);
    if (outcome.result && outcome.result->kind == lookup::LookupResult::Kind::AdditionRefused)
        return notFoundMayNotAddText();
    return {};
}

QString failureText(const std::exception &failure)
{
    if (const auto *error = dynamic_cast<const store::StoreError *>(&failure))
        return errorText(*error);
    if (dynamic_cast<const std::bad_alloc *>(&failure))
        return QStringLiteral("Недостаточно памяти: поиск прерван");
    return QStringLiteral("Поиск прерван: ") + QString::fromLocal8Bit(failure.what());
}

} // namespace messages
