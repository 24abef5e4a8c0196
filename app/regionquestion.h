#pragma once

#include <QDialog>

#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace app {

// The box that asks a data folder without conf.cfg for the directory's region. OK takes a name
// only when conf.cfg can hold it (one line of Windows-1251); for any other the box says why.
class RegionQuestion : public QDialog {
    Q_OBJECT
public:
    // text: what the box says above the name.
    explicit RegionQuestion(const QString &text, QWidget *parent = nullptr);

    // The name as typed, without white space at either end.
    QString region() const;

    // Shows the box until the user answers: the name, or nothing when the user cancelled.
    static std::optional<QString> ask(const QString &text);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void check();

    QLineEdit *m_field;
    QLabel *m_refusal;
    QPushButton *m_ok;
};

} // namespace app
