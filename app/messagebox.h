#pragma once

#include <QList>
#include <QMessageBox>
#include <QString>
#include <functional>

class QWidget;

namespace app {

// Every modal box of the program goes through here, so that they all look alike (centred on the
// screen, one default button) and so that tests can answer them instead of a person.
class MessageBoxes {
public:
    enum class Kind { Error, Information, Confirm, Failure, Unsaved };

    struct Shown {
        Kind kind;
        QString caption;
        QString text;
        // False for a box that closed by itself because the program was already ending.
        bool waitedForUser;
        QMessageBox::StandardButton answer;
    };

    // Caption "Error", error icon, one OK button that Enter and Esc both press.
    static void error(QWidget *parent, const QString &text);
    // The same box, opened while the program is already ending: it closes by itself at once.
    static void errorWhileEnding(QWidget *parent, const QString &text);
    // Caption "Information", information icon, one OK button.
    static void information(QWidget *parent, const QString &text);
    // Caption "Confirm", OK and Cancel; true when the user chose OK.
    static bool confirm(QWidget *parent, const QString &text);
    // Why a changed row could not be written, asked before something would lose it: the user goes
    // back to the row (Cancel, also Enter and Esc) or lets the edit go (Discard, labelled
    // dropLabel). True when the edit is to be dropped.
    static bool dropUnsavedRow(QWidget *parent, const QString &text, const QString &dropLabel);
    // The default error handler's box: the program's title as caption, error icon, OK.
    static void failure(const QString &caption, const QString &text);

    // Tests: while an answerer is set, boxes that would wait for the user are recorded and
    // answered by it instead of being shown. Boxes that close by themselves are still shown.
    using Answerer = std::function<QMessageBox::StandardButton(const Shown &box)>;
    static void setAnswerer(Answerer answerer);
    static const QList<Shown> &shown();
    static void clearShown();
};

} // namespace app
