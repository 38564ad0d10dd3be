#include "ui/radiocommand.h"

#include "model/fixedtexts.h"
#include "session/session.h"
#include "ui/messages.h"

#include <QLineEdit>
#include <QProgressBar>
#include <QWidget>

namespace n35
{

void BarProgress::attach(QProgressBar *progressBar, QLineEdit *percentText)
{
    bar = progressBar;
    percent = percentText;
}

void BarProgress::start(int max)
{
    // A zero maximum would turn the bar into a busy indicator and the percentage into a division by zero.
    maximum = max > 0 ? max : 1;
    bar->setRange(0, maximum);
    show(0);
}

void BarProgress::advance()
{
    if (value < maximum)
        show(value + 1);
}

void BarProgress::show(int newValue)
{
    value = newValue;
    bar->setValue(value);
    percent->setText(QString::number(value * 100 / maximum) + QLatin1Char('%'));
}

BusyGate::BusyGate(Session &owner, QWidget *control, std::function<bool()> enabledWhenIdle)
    : QObject(control), session(owner), widget(control), rule(std::move(enabledWhenIdle))
{
    connect(&session, &Session::busyChanged, this, &BusyGate::refresh);
    refresh();
}

void BusyGate::refresh()
{
    if (widget)
        widget->setEnabled(!session.isBusy() && (!rule || rule()));
}

void ReportOutcome(QWidget *parent, const TransferOutcome &outcome, const QString &doneText)
{
    for (const Notice &notice : outcome.notices)
        ShowMessage(parent, notice.text, notice.title, notice.detail);
    if (outcome.ok) {
        if (!doneText.isEmpty())
            ShowMessage(parent, doneText, FixedText::FinishTitle());
    } else if (!outcome.message.text.isEmpty()) {
        ShowMessage(parent, outcome.message.text, outcome.message.title, outcome.message.detail);
    }
}

TransferOutcome RunRadioCommand(Session &session, QWidget *parent,
                                const std::function<TransferOutcome()> &command, const QString &doneText,
                                const QString &stepName)
{
    TransferOutcome outcome = session.runRadioCommand(command, stepName);
    ReportOutcome(parent, outcome, doneText);
    return outcome;
}

} // namespace n35
