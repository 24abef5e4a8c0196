#include "app/resultgrid.h"

#include "messages/fieldtitles.h"
#include "store/grid/gridmodel.h"
#include "app/fillingcolumn.h"
#include "app/messagebox.h"
#include "app/rowindicator.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>

#include <algorithm>
#include <array>

namespace app {

namespace {

bool isDeleteRowKey(const QKeyEvent *event)
{
    return event->key() == Qt::Key_Delete && (event->modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier;
}

} // namespace

ResultGrid::ResultGrid(QWidget *parent) : QTableView(parent)
{
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setTabKeyNavigation(true);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                    | QAbstractItemView::AnyKeyPressed);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setMinimumSectionSize(8); // the "/" column is only 18 wide
    setVerticalHeader(new RowIndicator(this));
    // The selection belongs to the focused grid only, as in the data grid users know.
    QPalette colours = palette();
    colours.setColor(QPalette::Inactive, QPalette::Highlight, colours.color(QPalette::Inactive, QPalette::Base));
    colours.setColor(QPalette::Inactive, QPalette::HighlightedText, colours.color(QPalette::Inactive, QPalette::Text));
    setPalette(colours);
    connect(qApp, &QApplication::focusChanged, this, &ResultGrid::onFocusChanged);
}

void ResultGrid::setGridModel(store::GridModel *model)
{
    m_model = model;
    setModel(model);
    // The indicator follows the pending row's edits.
    connect(model, &QAbstractItemModel::dataChanged, verticalHeader()->viewport(), qOverload<>(&QWidget::update));
    // Surname first, flat last, as the form was designed.
    static constexpr std::array<int, store::kEntryFieldCount> kDesignWidths{111, 96, 97, 66, 84, 31, 18, 58};
    for (int field = 0; field < store::kEntryFieldCount; ++field) {
        model->setHeaderData(field, Qt::Horizontal, messages::columnTitle(field));
        setColumnWidth(field, kDesignWidths[field]);
    }
    // The design width was drawn for a narrow Windows font; a ten-digit number must still show
    // whole wherever the fallback font is wider.
    const int phoneWidth = fontMetrics().horizontalAdvance(QStringLiteral("0000000000")) + 10;
    const int phone = store::EntryField::Phone;
    setColumnWidth(phone, std::max(columnWidth(phone), phoneWidth));
    // Those widths add up to more than the grid holds once its vertical scroll bar shows; the flat,
    // last, gives way so that no number is cut.
    new FillingColumn(this);
}

bool ResultGrid::contains(const QWidget *widget) const
{
    return widget == this || isAncestorOf(widget);
}

void ResultGrid::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    QTableView::currentChanged(current, previous);
    verticalHeader()->viewport()->update();
    if (!m_model || m_model->pendingRow() < 0 || m_model->pendingRow() == current.row())
        return;
    if (m_model->finishPending())
        return;
    // The row could not be written: the user stays on it, as with a failed post.
    const QPersistentModelIndex back = m_model->index(m_model->pendingRow(), std::max(0, previous.column()));
    QMetaObject::invokeMethod(
        this, [this, back] {
            if (back.isValid())
                setCurrentIndex(back);
        },
        Qt::QueuedConnection);
}

void ResultGrid::onFocusChanged(QWidget *old, QWidget *now)
{
    // Only a move to another control of the same window leaves the grid; a message box or another
    // program taking the focus does not.
    if (!old || !now || !contains(old) || contains(now) || now->window() != window())
        return;
    leave();
}

void ResultGrid::leave()
{
    commitOpenEditor();
    if (m_model)
        m_model->finishPending();
}

void ResultGrid::returnToEditedRow()
{
    if (!m_model || m_model->pendingRow() < 0)
        return;
    const int refused = m_model->pendingRefusedField();
    const QModelIndex cell = m_model->index(m_model->pendingRow(), refused >= 0 ? refused : std::max(0, currentIndex().column()));
    setFocus(Qt::OtherFocusReason);
    setCurrentIndex(cell);
    if (refused >= 0)
        edit(cell);
}

QWidget *ResultGrid::openEditor() const
{
    QWidget *editor = QApplication::focusWidget();
    if (state() != EditingState || !editor || editor == this || !isAncestorOf(editor))
        return nullptr;
    return editor;
}

void ResultGrid::commitOpenEditor()
{
    if (QWidget *editor = openEditor()) {
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

void ResultGrid::dropOpenEditor()
{
    if (QWidget *editor = openEditor())
        closeEditor(editor, QAbstractItemDelegate::NoHint);
}

bool ResultGrid::edit(const QModelIndex &index, EditTrigger trigger, QEvent *event)
{
    if (m_model && m_model->isEditable() && index.isValid() && (editTriggers() & trigger)
        && !(index.flags() & Qt::ItemIsEditable))
        m_model->tryAction(store::EntryAction::Change);
    if (!QTableView::edit(index, trigger, event))
        return false;
    // The grid's own keys come before the editor's.
    if (QWidget *editor = indexWidget(index))
        editor->installEventFilter(this);
    return true;
}

bool ResultGrid::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && m_model && m_model->isEditable()
        && isDeleteRowKey(static_cast<QKeyEvent *>(event))) {
        deleteCurrentRow();
        return true;
    }
    return QTableView::eventFilter(watched, event);
}

void ResultGrid::keyPressEvent(QKeyEvent *event)
{
    if (!m_model || !m_model->isEditable())
        return QTableView::keyPressEvent(event);

    if (isDeleteRowKey(event))
        return deleteCurrentRow();
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    if (event->key() == Qt::Key_Insert && mods == Qt::NoModifier)
        return insertRowHere();
    if (event->key() == Qt::Key_Down && mods == Qt::NoModifier && appendBelowLastRow())
        return;
    if (event->key() == Qt::Key_Escape && state() != EditingState && m_model->pendingRow() >= 0)
        return m_model->revertPending();
    QTableView::keyPressEvent(event);
}

void ResultGrid::deleteCurrentRow()
{
    // What was being typed goes with the row, and stays unwritten if the user keeps the row.
    dropOpenEditor();
    const QModelIndex current = currentIndex();
    if (!current.isValid() || !m_model->tryAction(store::EntryAction::Delete)
        || !MessageBoxes::confirm(this, QStringLiteral("Delete record?")))
        return;
    m_model->deleteRow(current.row());
}

void ResultGrid::insertRowHere()
{
    commitOpenEditor();
    const QModelIndex current = currentIndex();
    const int row = m_model->insertNewRow(current.isValid() ? current.row() : 0);
    if (row >= 0)
        setCurrentIndex(m_model->index(row, std::max(0, current.column())));
}

bool ResultGrid::appendBelowLastRow()
{
    const QModelIndex current = currentIndex();
    const int last = m_model->rowCount() - 1;
    if (current.row() != last)
        return false;
    commitOpenEditor();
    if (m_model->canFetchMore(QModelIndex())) {
        m_model->fetchMore(QModelIndex());
        return false; // the ordinary move down now has a row to go to
    }
    // An appended row left untouched is not followed by another.
    if (last >= 0 && m_model->pendingRow() == last && m_model->isPendingNew()
        && !m_model->isPendingChanged())
        return true;
    const int row = m_model->appendNewRow();
    if (row >= 0)
        setCurrentIndex(m_model->index(row, std::max(0, current.column())));
    return true;
}

} // namespace app
