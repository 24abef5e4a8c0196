#include "tests/app/boxrecorder.h"

BoxRecorder::BoxRecorder()
{
    app::MessageBoxes::clearShown();
    app::MessageBoxes::setAnswerer([this](const app::MessageBoxes::Shown &) {
        return m_answers.isEmpty() ? QMessageBox::Ok : m_answers.takeFirst();
    });
}

BoxRecorder::~BoxRecorder()
{
    app::MessageBoxes::setAnswerer(nullptr);
    app::MessageBoxes::clearShown();
}

QStringList BoxRecorder::texts() const
{
    QStringList texts;
    for (const auto &box : shown())
        texts << box.text;
    return texts;
}
