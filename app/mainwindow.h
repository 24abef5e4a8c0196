#pragma once

#include "connection.h"
#include "querychannel.h"
#include "randomsource.h"

#include <QMainWindow>
#include <array>
#include <memory>

class QAction;
class QDialog;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QStatusBar;

namespace store {
class GridModel;
}
namespace app {
class ResultGrid;
}

// The main window: the result grid, the search group, the heading and the status bar.
class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    explicit TForm1(QWidget *parent = nullptr);
    ~TForm1() override;

    // The windows the menu shows modally; they are created after this one.
    void setModalWindows(QDialog *about, QDialog *update, QDialog *help);

    // Panel 1 of the status bar: the message the last search left.
    QString messagePanel() const;
    void setMessagePanel(const QString &text);

    store::Connection ADOConnection1;
    store::QueryChannel ADOQuery1{ADOConnection1};

private:
    // Destroyed before the channel it reads from; the grid lets go of it then.
    std::unique_ptr<store::GridModel> DataSource1;

public slots:
    void FormCreate();
    void FormActivate();
    void FormResize();
    void Button1Click();
    void Button2Click();
    void EditChange(QLineEdit *edit);
    void N6Click();
    void N10Click();
    void N11Click();
    void N7Click();
    void N8Click();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The layout tables, in mainwindowlayout.cpp.
    void createControls();
    void createSearchGroup();
    void createMenu();
    void createStatusBar();

    std::array<QLineEdit *, 8> searchFields() const;

    QLabel *Label1 = nullptr;
    QStatusBar *StatusBar1 = nullptr;
    std::array<QLabel *, 2> m_statusPanels{};
    app::ResultGrid *DBGrid1 = nullptr;
    QGroupBox *GroupBox1 = nullptr;
    QLineEdit *Edit1 = nullptr;
    QLineEdit *Edit2 = nullptr;
    QLineEdit *Edit3 = nullptr;
    QLineEdit *Edit4 = nullptr;
    QLineEdit *Edit5 = nullptr;
    QLineEdit *Edit6 = nullptr;
    QLineEdit *Edit7 = nullptr;
    QLineEdit *Edit8 = nullptr;
    QPushButton *Button1 = nullptr;
    QPushButton *Button2 = nullptr;
    QAction *N6 = nullptr;
    QAction *N10 = nullptr;
    QAction *N11 = nullptr;
    QAction *N7 = nullptr;
    QAction *N8 = nullptr;

    QDialog *m_about = nullptr;
    QDialog *m_update = nullptr;
    QDialog *m_help = nullptr;

    lookup::RandomSource m_random;
    bool m_shownOnce = false;
};
