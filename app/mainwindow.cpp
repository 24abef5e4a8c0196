#include "app/mainwindow.h"

#include "app/busywait.h"
#include "store/connection.h"
#include "store/configuredstore.h"
#include "app/errorhandler.h"
#include "messages/errortext.h"
#include "messages/searchtext.h"
#include "messages/windowtext.h"
#include "store/grid/gridmodel.h"
#include "app/jetconversion.h"
#include "app/messagebox.h"
#include "app/captions.h"
#include "config/conffile.h"
#include "app/resizerule.h"
#include "app/resultgrid.h"
#include "lookup/search.h"
#include "pages/windowplacement.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QShowEvent>
#include <QStatusBar>

#include <utility>

namespace app {

namespace {

void setTextColour(QLineEdit *edit, const QColor &colour)
{
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Text, colour);
    edit->setPalette(palette);
}

void showModally(QDialog *window)
{
    if (window)
        window->exec();
}

} // namespace

MainWindow::MainWindow(QWidget *parent) : QMainWindow(parent)
{
    m_busyWait = new BusyWait(this);
    createControls();
    m_gridModel = std::make_unique<store::GridModel>(m_channel);
    m_grid->setGridModel(m_gridModel.get());
    connect(m_gridModel.get(), &store::GridModel::errorOccurred, this,
            [this](const store::StoreError &error) {
                collectGridError(messages::errorText(error));
                showStoreConnected(m_connection.isOpen());
            });
    connect(m_gridModel.get(), &store::GridModel::editRefused, this,
            [this](const store::GridRefusal &refusal) { collectGridError(messages::refusalText(refusal)); });
    for (QLineEdit *edit : searchFields())
        connect(edit, &QLineEdit::textChanged, this, [this, edit] { resetFieldColour(edit); });
    // Told once the search is over, not in the middle of it; the channel tells it once a run.
    connect(&m_channel, &store::QueryChannel::replicaUnavailable, this,
            [this](const QString &name) { MessageBoxes::information(this, messages::replicaUnavailableText(name)); },
            Qt::QueuedConnection);
    applyRegionConfig();
}

MainWindow::~MainWindow() = default;

void MainWindow::setModalWindows(QDialog *about, QDialog *update, QDialog *help)
{
    m_about = about;
    m_update = update;
    m_help = help;
}

std::array<QLineEdit *, store::kEntryFieldCount> MainWindow::searchFields() const
{
    return {m_surnameField, m_givenNameField, m_patronymicField, m_phoneField, m_streetField, m_houseField, m_fractionField, m_flatField};
}

void MainWindow::setMessagePanel(const QString &text)
{
    m_statusPanels[1]->setText(text);
}

void MainWindow::showStoreConnected(bool connected)
{
    m_statusPanels[0]->setText(messages::storeConnectedText(connected));
}

void MainWindow::applyRegionConfig()
{
    m_connection.setDataSource(QStringLiteral("history.dat"));
    const config::ConfFile conf = config::readConfFile();
    if (conf.failed()) {
        reportError(messages::errorText(*conf.error));
        return;
    }
    store::useConfiguredStore(m_connection, conf);
    m_heading->setText(headingText(conf.region));
    m_heading->resize(m_heading->sizeHint().expandedTo(m_heading->size()));
    setWindowTitle(windowCaption(conf.region));
}

void MainWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (m_shownOnce || event->spontaneous())
        return;
    m_shownOnce = true;
    pages::placeOnScreen(this);
    // The data files are checked once the window is up, not while it is being shown.
    QMetaObject::invokeMethod(this, &MainWindow::checkDataFiles, Qt::QueuedConnection);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // Not while a statement waits for the server (within its deadline): closing writes the grid's row.
    if (m_busyWait->busy()) {
        event->ignore();
        return;
    }
    // Closing the window leaves the grid too: a changed row is kept, or given up by the user.
    if (!letGoOfEditedRow(messages::closeWithoutSavingLabel())) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

void MainWindow::collectGridError(const QString &text)
{
    // Reported once the grid is done: it reports while the focus or the current cell is still
    // moving. Whoever asks the user about the row meanwhile takes the reports into that question.
    if (m_gridErrors.isEmpty())
        QMetaObject::invokeMethod(this, &MainWindow::reportGridErrors, Qt::QueuedConnection);
    m_gridErrors.append(text);
}

void MainWindow::reportGridErrors()
{
    // A refusal reported as it was typed and again as the row could not be left is one mistake.
    QStringList texts = std::exchange(m_gridErrors, {});
    texts.removeDuplicates();
    for (const QString &text : texts)
        reportError(text);
}

bool MainWindow::letGoOfEditedRow(const QString &dropLabel)
{
    m_grid->leave();
    if (!m_gridModel->isPendingChanged()) {
        // A row the store turned down for good (changed or deleted elsewhere) has already gone back to
        // what the store holds: nothing to decide, but told while the window is still there.
        reportGridErrors();
        return true;
    }
    QStringList why = std::exchange(m_gridErrors, {});
    why.removeDuplicates();
    if (why.isEmpty())
        why << messages::unsavedRowText();
    if (MessageBoxes::dropUnsavedRow(this, why.join(QLatin1Char('\n')), dropLabel)) {
        m_gridModel->revertPending();
        return true;
    }
    m_grid->returnToEditedRow();
    return false;
}

void MainWindow::checkDataFiles()
{
    // After the first missing file the program is already ending, so a second box closes at once.
    bool ending = false;
    for (const QString &message : messages::missingDataFileMessages(m_connection.server(), m_connection.timeout())) {
        if (ending)
            MessageBoxes::errorWhileEnding(this, message);
        else
            MessageBoxes::error(this, message);
        ending = true;
    }
    showStoreConnected(!ending);
    if (ending) {
        close();
        return;
    }
    if (m_connection.isServer()) {
        // It still works; the user is told once a start where the password belongs.
        const store::Connection *replica = m_connection.replica();
        if (store::conninfoHoldsPassword(m_connection.server())
            || (replica && store::conninfoHoldsPassword(replica->server())))
            MessageBoxes::information(this, messages::passwordInConnectionText());
        return;
    }
    convertJetDirectoryIfNeeded(this, m_connection.dataSource());
    if (m_connection.onNetworkShare())
        MessageBoxes::information(this, messages::networkShareText());
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == centralWidget() && event->type() == QEvent::Resize)
        applyResizeRule();
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::applyResizeRule()
{
    const QSize client = centralWidget()->size() + QSize(0, m_statusBar->height());
    const MainWindowGeometry geometry = geometryForClientSize(client);
    m_grid->setGeometry(geometry.grid);
    m_searchGroup->setGeometry(geometry.group);
}

void MainWindow::search()
{
    // Pressed again (Enter in a field) while this search or a grid edit waits for the server.
    if (m_busyWait->busy())
        return;
    // A new result would take the edited row with it.
    if (!letGoOfEditedRow(messages::dropEditLabel()))
        return;
    lookup::SearchFields fields;
    const auto edits = searchFields();
    for (int f = 0; f < store::kEntryFieldCount; ++f)
        fields.text[f] = edits[f]->text();
    try {
        const lookup::SearchOutcome outcome = lookup::search(m_channel, m_random, fields);
        if (const std::optional<QString> message = messages::panelText(outcome))
            setMessagePanel(*message);
        for (int f = 0; f < store::kEntryFieldCount; ++f)
            if (outcome.red[f])
                setTextColour(edits[f], QColor(255, 0, 0));
        if (const QString error = messages::searchErrorText(outcome); !error.isEmpty())
            reportError(error);
    } catch (const std::exception &e) {
        reportError(messages::failureText(e));
    }
    // A server that went away closes the connection; the next search that reaches it opens it again.
    showStoreConnected(m_connection.isOpen());
}

void MainWindow::clearSearch()
{
    for (QLineEdit *edit : searchFields())
        edit->setText(QString());
    setMessagePanel(QString());
}

void MainWindow::resetFieldColour(QLineEdit *edit)
{
    setTextColour(edit, QApplication::palette(edit).color(QPalette::Text));
}

void MainWindow::exitProgram()
{
    close();
}

void MainWindow::showConnectionInfo()
{
    MessageBoxes::information(this, messages::noOtherDatabasesText());
}

void MainWindow::showUpdateWindow()
{
    showModally(m_update);
}

void MainWindow::showHelpWindow()
{
    showModally(m_help);
}

void MainWindow::showAboutWindow()
{
    showModally(m_about);
}

} // namespace app
