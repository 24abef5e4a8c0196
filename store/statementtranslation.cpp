#include "store/statementtranslation.h"

#include "store/storeerror.h"

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
}

} // namespace store
