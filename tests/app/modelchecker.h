#pragma once

#include <QAbstractItemModelTester>
#include <memory>

// Runs QAbstractItemModelTester over a model for as long as it lives, turning every complaint of
// the tester into a failure of the running test.
class ModelChecker {
public:
    explicit ModelChecker(QAbstractItemModel *model);
    ~ModelChecker();
    ModelChecker(const ModelChecker &) = delete;
    ModelChecker &operator=(const ModelChecker &) = delete;

private:
    QtMessageHandler m_previous;
    std::unique_ptr<QAbstractItemModelTester> m_tester;
};
