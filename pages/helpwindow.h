#pragma once

#include "pages/browserdialog.h"

class QLabel;
class QPushButton;

namespace pages {

// The help window: the built-in support page with the support addresses; it needs no network.
class HelpWindow : public BrowserDialog
{
    Q_OBJECT

public:
    explicit HelpWindow(QWidget *parent = nullptr);

protected:
    void loadPage() override;
};

} // namespace pages
