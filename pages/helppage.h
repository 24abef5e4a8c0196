#pragma once

#include <QString>

namespace pages {

// The built-in support page: an "about:" page whose address carries the whole document.
// Returns the document itself, i.e. everything after "about:".
QString helpPageHtml(const QString &supportSite, const QString &supportEmail);

// The same with the program's own support addresses.
QString helpPageHtml();

} // namespace pages
