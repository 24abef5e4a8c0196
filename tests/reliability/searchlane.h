#pragma once

#include "tests/reliability/cliprocess.h"
#include "tests/reliability/ledger.h"

#include <QObject>
#include <QProcess>

// One stream of zelvik-cli searches on a folder, each started when the one before has ended, so
// that two lanes (or a lane and the window) search the same history.dat at the same time. Most
// searches ask for a new surname; some repeat an earlier one, and some ask for a new phone number.
class SearchLane : public QObject {
    Q_OBJECT
public:
    struct Plan {
        QString folder;
        QString stem;       // surnames are the stem and a number in letters
        // Phone numbers are this and a running number, ten digits in all. Invented numbers never
        // have a 0 after their prefix, so a start of prefix, 0 and the lane's digit is this lane's alone.
        QString phoneStart;
        int searches = 0;
    };

    SearchLane(Plan plan, Ledger &ledger);

    void start();
    bool isDone() const { return m_done == m_plan.searches; }
    // Searches that ended other than with status 0 and an empty standard error.
    const QStringList &failures() const { return m_failures; }

signals:
    void finished();

private:
    void startNext();
    void onFinished();

    Plan m_plan;
    Ledger &m_ledger;
    QProcess m_process;
    int m_done = 0;
    QString m_key;
    bool m_byPhone = false;
    QStringList m_failures;
};

// What the i-th search of a stream asks for: its key (a surname or a phone number) and whether it
// is a phone search. Shared by the lanes and by the window's own stream.
struct PlannedSearch {
    QString key;
    bool byPhone = false;
};
PlannedSearch plannedSearch(const QString &stem, const QString &phoneStart, int i);
