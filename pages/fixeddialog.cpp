#include "pages/fixeddialog.h"

#include "pages/windowplacement.h"

#include <QKeyEvent>
#include <QScreen>

namespace pages {

FixedDialog::FixedDialog(QSize clientSize, Placement placement, QWidget *parent)
    : QDialog(parent,
              Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                  | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      m_placement(placement)
{
    setFixedSize(clientSize);
    setSizeGripEnabled(false);
}

void FixedDialog::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Cancel)) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void FixedDialog::showEvent(QShowEvent *event)
{
    if (!event->spontaneous()) {
        placeWindow(this, [this] {
            const QWidget *owner = parentWidget() ? parentWidget()->window() : nullptr;
            return m_placement == Placement::CentreOnParent && owner
                       ? owner->frameGeometry()
                       : (owner ? owner : this)->screen()->availableGeometry();
        });
    }
    QDialog::showEvent(event);
}

} // namespace pages
