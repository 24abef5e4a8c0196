#pragma once

#include <QString>

namespace messages {

// Why a page the text view fetched cannot be shown, as the view tells it apart.
enum class PageFailure {
    HttpStatus,       // the server answered with an error status
    Refused,          // the connection was refused
    HostNotFound,     // no server of that name
    TimedOut,         // no answer within the time limit
    Closed,           // the server closed the connection before the page came
    TlsFailed,        // no secure connection could be made
    TooManyRedirects, // redirected too often
    InsecureRedirect, // redirected from a secure address to an insecure one
    UnknownScheme,    // an address of a kind the view does not fetch
    NoNetwork,        // the computer is not on a network
    Other,            // any other network error
};

// The sentence for a failure; status and phrase are the server's, for HttpStatus; seconds the time
// limit, for TimedOut.
QString pageFailureText(PageFailure failure, int status = 0, const QString &phrase = QString(), double seconds = 0);
// The sentence for a page of a type the view cannot show (its MIME type).
QString pageTypeUnshownText(const QString &type);
// The page shown in the view's area instead: the address, the reason, and the system's own detail.
QString pageFailureHtml(const QString &address, const QString &reason, const QString &detail);

} // namespace messages
