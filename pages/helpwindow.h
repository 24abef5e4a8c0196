#pragma once

#include "pages/browserdialog.h"

class QLabel;
class QPushButton;

// The help window: the built-in support page with the support addresses; it needs no network.
class HelpWindow : public pages::BrowserDialog
{
    Q_OBJECT

public:
    explicit HelpWindow(QWidget *parent = nullptr);

protected:
    void loadPage() override;
};
