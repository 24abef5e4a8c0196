#pragma once

#include <QString>
#include <QUrl>

// Where the program's web pages live. The project owns no domain, so these are reserved documentation
// names (RFC 2606 ".example"); a real deployment changes them here and nowhere else.
namespace pages::site {

inline constexpr char16_t updateHost[] = u"update.zelvik.example";
inline constexpr char16_t supportSite[] = u"http://support.zelvik.example/"; // must end in "/"
inline constexpr char16_t supportEmail[] = u"support@zelvik.example";

inline QUrl updatePageAddress()
{
    return QUrl(QStringLiteral("http://") + QString::fromUtf16(updateHost) + QStringLiteral("/update.html"));
}

} // namespace pages::site
