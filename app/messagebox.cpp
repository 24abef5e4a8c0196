#include "messagebox.h"

#include "centring.h"

namespace app {

namespace {

MessageBoxes::Answerer &answerer()
{
    static MessageBoxes::Answerer instance;
    return instance;
}

QList<MessageBoxes::Shown> &record()
{
    static QList<MessageBoxes::Shown> instance;
    return instance;
}

// Message boxes stand in the middle of the screen, not over their parent window.
class ScreenCentredBox : public QMessageBox {
public:
    using QMessageBox::QMessageBox;

protected:
    void showEvent(QShowEvent *event) override
    {
        QMessageBox::showEvent(event);
        pages::centreOnScreen(this);
    }
};

struct BoxStyle {
    MessageBoxes::Kind kind;
    QMessageBox::Icon icon;
    QString caption;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton;
    QMessageBox::StandardButton escapeButton;
};

BoxStyle okBox(MessageBoxes::Kind kind, QMessageBox::Icon icon, const QString &caption)
{
    return {kind, icon, caption, QMessageBox::Ok, QMessageBox::Ok, QMessageBox::Ok};
}

QMessageBox::StandardButton show(const BoxStyle &style, QWidget *parent, const QString &text,
                                 bool closesAtOnce)
{
    MessageBoxes::Shown shown{style.kind, style.caption, text, !closesAtOnce, style.escapeButton};
    if (shown.waitedForUser && answerer()) {
        shown.answer = answerer()(shown);
        record().append(shown);
        return shown.answer;
    }

    ScreenCentredBox box(style.icon, style.caption, text, style.buttons, parent);
    box.setDefaultButton(style.defaultButton);
    box.setEscapeButton(style.escapeButton);
    if (closesAtOnce)
        QMetaObject::invokeMethod(&box, "done", Qt::QueuedConnection, Q_ARG(int, style.escapeButton));
    shown.answer = static_cast<QMessageBox::StandardButton>(box.exec());
    record().append(shown);
    return shown.answer;
}

} // namespace

void MessageBoxes::error(QWidget *parent, const QString &text)
{
    show(okBox(Kind::Error, QMessageBox::Critical, QStringLiteral("Error")), parent, text, false);
}

void MessageBoxes::errorWhileEnding(QWidget *parent, const QString &text)
{
    show(okBox(Kind::Error, QMessageBox::Critical, QStringLiteral("Error")), parent, text, true);
}

void MessageBoxes::information(QWidget *parent, const QString &text)
{
    show(okBox(Kind::Information, QMessageBox::Information, QStringLiteral("Information")), parent,
         text, false);
}

bool MessageBoxes::confirm(QWidget *parent, const QString &text)
{
    const BoxStyle style{Kind::Confirm,   QMessageBox::Question, QStringLiteral("Confirm"),
                    QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok, QMessageBox::Cancel};
    return show(style, parent, text, false) == QMessageBox::Ok;
}

void MessageBoxes::failure(const QString &caption, const QString &text)
{
    show(okBox(Kind::Failure, QMessageBox::Critical, caption), nullptr, text, false);
}

void MessageBoxes::setAnswerer(Answerer a)
{
    answerer() = std::move(a);
}

const QList<MessageBoxes::Shown> &MessageBoxes::shown()
{
    return record();
}

void MessageBoxes::clearShown()
{
    record().clear();
}

} // namespace app
