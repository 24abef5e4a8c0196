#include "pages/helppage.h"

#include "pages/siteaddresses.h"

namespace pages {

QString helpPageHtml(const QString &supportSite, const QString &supportEmail)
{
    // Kept byte for byte as the page has always been, the misspelt font name and missing units included:
    // browsers in quirks mode read it the same way.
    static const QString page = QStringLiteral(
        "<html><head><style type=\"text/css\">.a{font:15 Tehoma,Arial,sans-serif;background:#fff;color:#646161 }"
        "</style></head><body><div class=a>Служба поддержки: <strong>%1</strong><br><br>"
        "Пользовательское соглашение: <strong>%1rules.html</strong><br><br>"
        "Служба поддержки: <strong>%2</strong><br></html>");
    return page.arg(supportSite.toHtmlEscaped(), supportEmail.toHtmlEscaped());
}

QString helpPageHtml()
{
    return helpPageHtml(QString::fromUtf16(site::supportSite), QString::fromUtf16(site::supportEmail));
}

} // namespace pages
