#include "messages/pagetext.h"

namespace messages {

QString pageFailureText(PageFailure failure, int status, const QString &phrase, double seconds)
{
    switch (failure) {
    case PageFailure::HttpStatus:
        return QStringLiteral("Сервер ответил: %1 %2.").arg(status).arg(phrase);
    case PageFailure::Refused:
        return QStringLiteral("Сервер отклонил соединение.");
    case PageFailure::HostNotFound:
        return QStringLiteral("Сервер с таким именем не найден.");
    case PageFailure::TimedOut:
        return QStringLiteral("Сервер не ответил за %1 с.").arg(seconds);
    case PageFailure::Closed:
        return QStringLiteral("Сервер закрыл соединение, не передав страницу.");
    case PageFailure::TlsFailed:
        return QStringLiteral("Не удалось установить защищённое соединение с сервером.");
    case PageFailure::TooManyRedirects:
        return QStringLiteral("Сервер перенаправлял запрос слишком много раз.");
    case PageFailure::InsecureRedirect:
        return QStringLiteral("Сервер перенаправил запрос с защищённого адреса на незащищённый.");
    case PageFailure::UnknownScheme:
        return QStringLiteral("Адреса такого вида не поддерживаются.");
    case PageFailure::NoNetwork:
        return QStringLiteral("Нет подключения к сети.");
    case PageFailure::Other:
        break;
    }
    return QStringLiteral("Ошибка сети.");
}

QString pageTypeUnshownText(const QString &type)
{
    return QStringLiteral("Страницу в формате %1 здесь показать нельзя.").arg(type);
}

QString pageFailureHtml(const QString &address, const QString &reason, const QString &detail)
{
    return QStringLiteral("<h3>Страница недоступна</h3><p>Не удалось загрузить страницу <b>%1</b>.</p>"
                          "<p>%2</p><p style=\"color:#646161\">%3</p>")
        .arg(address.toHtmlEscaped(), reason.toHtmlEscaped(), detail.toHtmlEscaped());
}

} // namespace messages
