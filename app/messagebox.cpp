#include "app/messagebox.h"

#include "pages/windowplacement.h"

#include <QLayout>
#include <QPushButton>

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
        // Relabelled buttons reach the layout only now; place the box at the size it will keep.
        layout()->activate();
        pages::placeOnScreen(this);
    }
};

struct BoxStyle {
    MessageBoxes::Kind kind;
    QMessageBox::Icon icon;
    QString caption;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton;
    QMessageBox::StandardButton escapeButton;
    // Labels of buttons whose standard text does not say what they do.
    QList<std::pair<QMessageBox::StandardButton, QString>> labels = {};
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
    // Texts come from outside (cell contents, store messages): never read as markup.
    box.setTextFormat(Qt::PlainText);
    // Relabelled buttons lose the stock icons, which would contradict their new words.
    for (const auto &[button, label] : style.labels) {
        box.button(button)->setText(label);
        box.button(button)->setIcon(QIcon());
    }
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

bool MessageBoxes::dropUnsavedRow(QWidget *parent, const QString &text, const QString &dropLabel)
{
    const BoxStyle style{Kind::Unsaved,
                         QMessageBox::Warning,
                         QStringLiteral("Запись не сохранена"),
                         QMessageBox::Cancel | QMessageBox::Discard,
                         QMessageBox::Cancel,
                         QMessageBox::Cancel,
                         {{QMessageBox::Cancel, QStringLiteral("Вернуться к записи")},
                          {QMessageBox::Discard, dropLabel}}};
    return show(style, parent, text, false) == QMessageBox::Discard;
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
