#pragma once

#include "link/outcome.h"
#include "link/progress.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>

class QLineEdit;
class QProgressBar;
class QWidget;

namespace n35
{

class Session;

// Drives a progress bar and the percentage beside it (the main window's, at its bottom).
class BarProgress : public Progress
{
public:
    void attach(QProgressBar *progressBar, QLineEdit *percentText);
    void start(int maximum) override;
    void advance() override;

private:
    void show(int value);

    QProgressBar *bar = nullptr;
    QLineEdit *percent = nullptr;
    int maximum = 1;
    int value = 0;
};

// Keeps a control that starts a command (a button, the memory grid) disabled while the session is busy,
// and, where a rule is given, while the rule says no ("Bank Write" only for a partition of 500).
class BusyGate : public QObject
{
    Q_OBJECT
public:
    BusyGate(Session &session, QWidget *widget, std::function<bool()> rule = {});
    // Asks the rule again, after what it looks at has changed.
    void refresh();

private:
    Session &session;
    QPointer<QWidget> widget;
    std::function<bool()> rule;
};

// Tells the user how a transfer ended: its notices, then `doneText` (when not empty) or its failure.
void ReportOutcome(QWidget *parent, const TransferOutcome &outcome, const QString &doneText);

// Every radio command of the windows: run on the session (controls locked, the port closed after, what it
// changes one undo step), then reported as ReportOutcome does.
TransferOutcome RunRadioCommand(Session &session, QWidget *parent,
                                const std::function<TransferOutcome()> &command, const QString &doneText,
                                const QString &stepName = {});

} // namespace n35
