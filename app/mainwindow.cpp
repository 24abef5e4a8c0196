#include "mainwindow.h"

#include "datafiles.h"
#include "errorhandler.h"
#include "gridmodel.h"
#include "jetconversion.h"
#include "messagebox.h"
#include "regionconfig.h"
#include "resizerule.h"
#include "resultgrid.h"
#include "search.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QShowEvent>
#include <QStatusBar>

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

TForm1::TForm1(QWidget *parent) : QMainWindow(parent)
{
    createControls();
    DataSource1 = std::make_unique<store::GridModel>(ADOQuery1);
    DBGrid1->setGridModel(DataSource1.get());
    // Queued: the grid reports while the focus or the current cell is still moving.
    connect(DataSource1.get(), &store::GridModel::errorOccurred, this, &app::reportError, Qt::QueuedConnection);
    for (QLineEdit *edit : searchFields())
        connect(edit, &QLineEdit::textChanged, this, [this, edit] { EditChange(edit); });
    FormCreate();
}

TForm1::~TForm1() = default;

void TForm1::setModalWindows(QDialog *about, QDialog *update, QDialog *help)
{
    m_about = about;
    m_update = update;
    m_help = help;
}

std::array<QLineEdit *, 8> TForm1::searchFields() const
{
    return {Edit1, Edit2, Edit3, Edit4, Edit5, Edit6, Edit7, Edit8};
}

QString TForm1::messagePanel() const
{
    return m_statusPanels[1]->text();
}

void TForm1::setMessagePanel(const QString &text)
{
    m_statusPanels[1]->setText(text);
}

void TForm1::FormCreate()
{
    ADOConnection1.setDataSource(QStringLiteral("history.dat"));
    const app::RegionConfig config = app::readRegionConfig();
    if (config.failed()) {
        app::reportError(config.error);
        return;
    }
    Label1->setText(app::headingText(config.region));
    Label1->resize(Label1->sizeHint().expandedTo(Label1->size()));
    setWindowTitle(app::windowCaption(config.region));
}

void TForm1::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (m_shownOnce || event->spontaneous())
        return;
    m_shownOnce = true;
    if (const QScreen *s = screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(s->availableGeometry().center());
        move(frame.topLeft());
    }
    // The data files are checked once the window is up, not while it is being shown.
    QMetaObject::invokeMethod(this, &TForm1::FormActivate, Qt::QueuedConnection);
}

void TForm1::closeEvent(QCloseEvent *event)
{
    // Closing the window leaves the grid too: a changed row is kept.
    DBGrid1->leave();
    QMainWindow::closeEvent(event);
}

void TForm1::FormActivate()
{
    // After the first missing file the program is already ending, so a second box closes at once.
    bool ending = false;
    for (const QString &message : store::missingDataFileMessages()) {
        if (ending)
            app::MessageBoxes::errorWhileEnding(this, message);
        else
            app::MessageBoxes::error(this, message);
        ending = true;
    }
    if (ending) {
        close();
        return;
    }
    app::convertJetDirectoryIfNeeded(this, ADOConnection1.dataSource());
}

bool TForm1::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == centralWidget() && event->type() == QEvent::Resize)
        FormResize();
    return QMainWindow::eventFilter(watched, event);
}

void TForm1::FormResize()
{
    const QSize client = centralWidget()->size() + QSize(0, StatusBar1->height());
    const app::MainWindowGeometry geometry = app::geometryForClientSize(client);
    DBGrid1->setGeometry(geometry.grid);
    GroupBox1->setGeometry(geometry.group);
}

void TForm1::Button1Click()
{
    lookup::SearchFields fields;
    const auto edits = searchFields();
    for (int f = 0; f < lookup::FieldCount; ++f)
        fields.text[f] = edits[f]->text();
    try {
        const lookup::SearchOutcome outcome = lookup::search(ADOQuery1, m_random, fields);
        if (outcome.message)
            setMessagePanel(*outcome.message);
        for (int f = 0; f < lookup::FieldCount; ++f)
            if (outcome.red[f])
                setTextColour(edits[f], QColor(255, 0, 0));
        if (!outcome.error.isEmpty())
            app::reportError(outcome.error);
    } catch (const std::exception &e) {
        app::reportError(lookup::failureText(e));
    }
}

void TForm1::Button2Click()
{
    for (QLineEdit *edit : searchFields())
        edit->setText(QString());
    setMessagePanel(QString());
}

void TForm1::EditChange(QLineEdit *edit)
{
    setTextColour(edit, QApplication::palette(edit).color(QPalette::Text));
}

void TForm1::N6Click()
{
    close();
}

void TForm1::N10Click()
{
    app::MessageBoxes::information(this, QStringLiteral("Других баз данных не найдено."));
}

void TForm1::N11Click()
{
    showModally(m_update);
}

void TForm1::N7Click()
{
    showModally(m_help);
}

void TForm1::N8Click()
{
    showModally(m_about);
}
