#pragma once

#include "fixeddialog.h"

class QLabel;
class QPushButton;

// The about window: product name, version and credits. OK is the only control that takes the focus,
// so Enter and Space press it; it is no cancel button, so Esc leaves the window open.
class TForm2 : public pages::FixedDialog
{
    Q_OBJECT

public:
    explicit TForm2(QWidget *parent = nullptr);

    QLabel *Image1 = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label5 = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *Label4 = nullptr;
    QLabel *Label2 = nullptr;
    QPushButton *BitBtn1 = nullptr;

public slots:
    void BitBtn1Click();

protected:
    void showEvent(QShowEvent *event) override;
};
