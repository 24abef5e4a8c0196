#pragma once

#include "browserdialog.h"

class QLabel;
class QPushButton;

// The help window: the built-in support page with the support addresses; it needs no network.
class TForm5 : public pages::BrowserDialog
{
    Q_OBJECT

public:
    explicit TForm5(QWidget *parent = nullptr);

    QLabel *Label1 = nullptr;
    QPushButton *Button1 = nullptr;

public slots:
    void Button1Click();

protected:
    void FormActivate() override;
};
