#include "tests/app/modelchecker.h"

#include <gtest/gtest.h>

namespace {

QtMessageHandler previousHandler = nullptr;

void failOnModelComplaint(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (context.category && qstrcmp(context.category, "qt.modeltest") == 0 && type != QtDebugMsg)
        ADD_FAILURE() << "model tester: " << text.toStdString();
    else if (previousHandler)
        previousHandler(type, context, text);
}

} // namespace

ModelChecker::ModelChecker(QAbstractItemModel *model)
    : m_previous(qInstallMessageHandler(failOnModelComplaint))
{
    previousHandler = m_previous;
    m_tester = std::make_unique<QAbstractItemModelTester>(
        model, QAbstractItemModelTester::FailureReportingMode::Warning);
}

ModelChecker::~ModelChecker()
{
    m_tester.reset();
    qInstallMessageHandler(m_previous);
}
