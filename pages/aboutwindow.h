#pragma once

#include "pages/fixeddialog.h"

class QLabel;
class QPushButton;

namespace pages {

// The about window: product name, version and credits. OK is the only control that takes the focus,
// so Enter and Space press it; it is no cancel button, so Esc leaves the window open.
class AboutWindow : public FixedDialog
{
    Q_OBJECT

public:
    explicit AboutWindow(QWidget *parent = nullptr);

protected:
    void showEvent(QShowEvent *event) override;

private:
    QPushButton *m_okButton = nullptr;
};

} // namespace pages
