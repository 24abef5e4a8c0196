#pragma once

#include <QDialog>

namespace pages {

// The frame shared by the program's secondary windows: a dialog that cannot be resized, with a title bar
// carrying only the system menu and close box, and placed in the middle of its parent or of the screen
// each time it is shown. Esc does not close it: these windows have no cancel button, so they close only
// through their own buttons or the close box.
class FixedDialog : public QDialog
{
    Q_OBJECT

public:
    enum class Placement { CentreOnParent, CentreOnScreen };

    FixedDialog(QSize clientSize, Placement placement, QWidget *parent);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    Placement m_placement;
};

} // namespace pages
