#include "store/textvalue.h"

#include "store/schema.h"

#include <algorithm>

namespace store {

namespace {

// Enough of a refused text for the user to find it.
constexpr qsizetype kShownCharacters = 30;

bool isContinuationByte(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

qsizetype characterCount(QStringView text)
{
    return text.size() - std::count_if(text.begin(), text.end(), [](QChar c) { return c.isLowSurrogate(); });
}

qsizetype characterCount(std::string_view utf8)
{
    return qsizetype(utf8.size()) - std::count_if(utf8.begin(), utf8.end(), isContinuationByte);
}

// Characters are never fewer than code units: a short text needs no counting.
template <typename Text>
TextFault faultOf(Text text, qsizetype nul)
{
    if (nul >= 0)
        return TextFault::Nul;
    if (qsizetype(text.size()) > kTextValueLimit && characterCount(text) > kTextValueLimit)
        return TextFault::TooLong;
    return TextFault::None;
}

qsizetype nulIn(QStringView text)
{
    return text.indexOf(QChar(0));
}

qsizetype nulIn(std::string_view utf8)
{
    const std::size_t at = utf8.find('\0');
    return at == std::string_view::npos ? -1 : qsizetype(at);
}

std::optional<StoreError> refusalOf(QStringView text, TextFault fault)
{
    switch (fault) {
    case TextFault::None:
        break;
    case TextFault::Nul:
        // Up to the NUL: what the server would have kept.
        return StoreError(StoreError::Kind::NulInText, {text.left(std::min(nulIn(text), kShownCharacters)).toString()});
    case TextFault::TooLong:
        return StoreError(StoreError::Kind::TextTooLong,
                          {text.left(kShownCharacters).toString(), QString::number(characterCount(text)),
                           QString::number(kTextValueLimit)});
    }
    return std::nullopt;
}

} // namespace

TextFault textFault(QStringView text)
{
    return faultOf(text, nulIn(text));
}

TextFault textFault(std::string_view utf8)
{
    return faultOf(utf8, nulIn(utf8));
}

TextFault cellFault(const QVariant &cell)
{
    return cell.typeId() == QMetaType::QString ? textFault(QStringView(cell.toString())) : TextFault::None;
}

std::optional<StoreError> textRefusal(QStringView text)
{
    return refusalOf(text, textFault(text));
}

std::optional<StoreError> textRefusal(std::string_view utf8)
{
    const TextFault fault = textFault(utf8);
    if (fault == TextFault::None)
        return std::nullopt;
    return refusalOf(QString::fromUtf8(utf8.data(), qsizetype(utf8.size())), fault);
}

} // namespace store
