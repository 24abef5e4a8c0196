#pragma once

#include <QObject>

class QTableView;

namespace app {

// Lets a view's last column take the width its other columns leave in view, never less than its
// widest value, so that neither a scroll bar appearing nor a wider font cuts it.
// The other columns keep their widths; once the user sizes the last column by hand, it keeps the
// width the user gave it.
class FillingColumn : public QObject {
    Q_OBJECT
public:
    // view must already show its model; the column lives as long as the view.
    explicit FillingColumn(QTableView *view);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void onSectionResized(int column);
    void fit();
    // Queued, so that the view has laid out the rows a change of the model brought first.
    void fitLater();

    QTableView *m_view;
    QObject *m_viewport; // compared with, never called
    bool m_fitting = false;
    bool m_fitQueued = false;
    bool m_userSized = false;
};

} // namespace app
