#include "store/statementtranslation.h"

#include "store/storeerror.h"
#include "store/textvalue.h"

#include <QStringEncoder>
#include <QVarLengthArray>

namespace store {

namespace {

StoreError::Kind refusalKind(JetRefusal refusal)
{
    switch (refusal) {
    case JetRefusal::TopWithoutCount:
        return StoreError::Kind::TopWithoutCount;
    case JetRefusal::TopPercent:
        return StoreError::Kind::TopPercent;
    case JetRefusal::UnterminatedText:
        return StoreError::Kind::UnterminatedText;
    case JetRefusal::NulCharacter:
    case JetRefusal::None:
        break;
    }
    return StoreError::Kind::NulInStatement;
}

} // namespace

void translateStatement(const QString &statement, JetTranslation &out, Dialect dialect)
{
    QStringEncoder toUtf8(QStringEncoder::Utf8, QStringEncoder::Flag::Stateless);
    QVarLengthArray<char, 512> utf8(toUtf8.requiredSpace(statement.size()));
    const char *end = toUtf8.appendToBuffer(utf8.data(), statement);
    if (!translateJet(std::string_view(utf8.constData(), std::size_t(end - utf8.constData())), out, dialect))
        throw StoreError(refusalKind(out.refusal));
    // A NUL is refused in any literal, compared or written: the server would read the text only up to
    // it. The length only where something may be written: a longer value stored earlier can still be
    // looked for.
    for (std::size_t i = 0; i < out.literalCount(); ++i) {
        const TextFault fault = textFault(out.literal(i));
        if (fault == TextFault::Nul || (fault == TextFault::TooLong && !out.reads))
            throw *textRefusal(out.literal(i));
    }
}

} // namespace store
