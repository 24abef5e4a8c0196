#pragma once

#include "store/connection.h"
#include "store/entryfield.h"
#include "store/querychannel.h"
#include "lookup/randomsource.h"

#include <QMainWindow>
#include <QStringList>
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
class StoreError;
class GridModel;
}
namespace app {

class BusyWait;
class ResultGrid;

// The main window: the result grid, the search group, the heading and the status bar.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    // The windows the menu shows modally; they are created after this one.
    void setModalWindows(QDialog *about, QDialog *update, QDialog *help);

    // Panel 1 of the status bar: the message the last search left.
    void setMessagePanel(const QString &text);
    // Panel 0 of the status bar: whether the directory was reached the last time it was used.
    void showStoreConnected(bool connected);

    // The store the window searches and the grid shows; tests prepare results through it.
    store::Connection &connection() { return m_connection; }
    store::QueryChannel &queryChannel() { return m_channel; }

private slots:
    void applyRegionConfig();
    void checkDataFiles();
    void applyResizeRule();
    void search();
    void clearSearch();
    void resetFieldColour(QLineEdit *edit);
    void exitProgram();
    void showConnectionInfo();
    void showUpdateWindow();
    void showHelpWindow();
    void showAboutWindow();
    // A failure or refusal the grid reported, in the user's words.
    void collectGridError(const QString &text);
    void reportGridErrors();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    store::Connection m_connection;
    store::QueryChannel m_channel{m_connection};
    // Destroyed before the channel it reads from; the grid lets go of it then.
    std::unique_ptr<store::GridModel> m_gridModel;

    // The layout tables, in mainwindowlayout.cpp.
    void createControls();
    void createSearchGroup();
    void createMenu();
    void createStatusBar();

    std::array<QLineEdit *, store::kEntryFieldCount> searchFields() const;
    // Writes the grid's edited row; when that fails the user decides, before anything goes on,
    // whether to go back to it or drop the edit. True when nothing edited is left.
    bool letGoOfEditedRow(const QString &dropLabel);

    QLabel *m_heading = nullptr;
    QStatusBar *m_statusBar = nullptr;
    std::array<QLabel *, 2> m_statusPanels{};
    ResultGrid *m_grid = nullptr;
    QGroupBox *m_searchGroup = nullptr;
    QLineEdit *m_surnameField = nullptr;
    QLineEdit *m_givenNameField = nullptr;
    QLineEdit *m_patronymicField = nullptr;
    QLineEdit *m_phoneField = nullptr;
    QLineEdit *m_streetField = nullptr;
    QLineEdit *m_houseField = nullptr;
    QLineEdit *m_fractionField = nullptr;
    QLineEdit *m_flatField = nullptr;
    QPushButton *m_searchButton = nullptr;
    QPushButton *m_clearButton = nullptr;
    QAction *m_exitAction = nullptr;
    QAction *m_connectionAction = nullptr;
    QAction *m_updateAction = nullptr;
    QAction *m_helpAction = nullptr;
    QAction *m_aboutAction = nullptr;

    QDialog *m_about = nullptr;
    QDialog *m_update = nullptr;
    QDialog *m_help = nullptr;

    lookup::RandomSource m_random;
    // While a statement waits for the server: the window keeps painting, and starts nothing else.
    BusyWait *m_busyWait = nullptr;
    bool m_shownOnce = false;
    QStringList m_gridErrors;
};

} // namespace app
