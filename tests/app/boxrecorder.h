#pragma once

#include "app/messagebox.h"

#include <QList>

// Answers the program's message boxes for the length of a test, so none waits for a person, and
// keeps what was shown. Boxes are answered with the queued answers first, then with OK.
class BoxRecorder {
public:
    BoxRecorder();
    ~BoxRecorder();
    BoxRecorder(const BoxRecorder &) = delete;
    BoxRecorder &operator=(const BoxRecorder &) = delete;

    void answerNext(QMessageBox::StandardButton answer) { m_answers.append(answer); }
    const QList<app::MessageBoxes::Shown> &shown() const { return app::MessageBoxes::shown(); }
    QStringList texts() const;

private:
    QList<QMessageBox::StandardButton> m_answers;
};
