#include "ui/messages.h"

#include "model/result.h"

#include <QFontMetrics>
#include <QLabel>
#include <QMessageBox>
#include <algorithm>

namespace n35
{

namespace
{
MessageCapture *activeCapture = nullptr;

int execBox(QWidget *parent, const QString &text, const QString &title, const QString &detail,
            QMessageBox::StandardButtons buttons, const QString &informative = {})
{
    QMessageBox box(parent);
    PrepareMessageBox(box, text, title, detail, informative);
    box.setStandardButtons(buttons);
    return box.exec();
}
} // namespace

void PrepareMessageBox(QMessageBox &box, const QString &text, const QString &title, const QString &detail,
                       const QString &informative)
{
    box.setIcon(QMessageBox::NoIcon);
    box.setWindowTitle(title);
    box.setTextFormat(Qt::PlainText);
    box.setText(text);
    if (!informative.isEmpty())
        box.setInformativeText(informative);
    if (!detail.isEmpty())
        box.setDetailedText(detail);
    if (!informative.isEmpty()) {
        // QMessageBox keeps itself narrow and would break a long path anywhere: its label is made as wide
        // as the text, within reason.
        int width = 0;
        for (const QString &line : informative.split(QLatin1Char('\n')))
            width = std::max(width, QFontMetrics(box.font()).horizontalAdvance(line) + 10);
        width = std::min(width, 640);
        if (auto *label = box.findChild<QLabel *>(QStringLiteral("qt_msgbox_informativelabel")))
            label->setMinimumWidth(width);
    }
}

void ShowProblem(QWidget *parent, const QString &text, const QString &title, const Problem &problem,
                 const QString &file)
{
    const QString detail = problem.describe();
    ShowMessage(parent, text, title,
                problem.whereIsFileName || file.isEmpty() ? detail : file + QLatin1Char('\n') + detail);
}

MessageCapture::MessageCapture() : previous(activeCapture)
{
    activeCapture = this;
}

MessageCapture::~MessageCapture()
{
    activeCapture = previous;
}

void ShowMessage(QWidget *parent, const QString &text, const QString &title, const QString &detail)
{
    if (activeCapture) {
        activeCapture->messages.append({text, title, detail, false, {}});
        return;
    }
    execBox(parent, text, title, detail, QMessageBox::Ok);
}

void ShowMessage(QWidget *parent, const QString &text, const QString &title, const QString &detail,
                 const QString &informative)
{
    if (activeCapture) {
        activeCapture->messages.append({text, title, detail, false, informative});
        return;
    }
    execBox(parent, text, title, detail, QMessageBox::Ok, informative);
}

bool AskYesNo(QWidget *parent, const QString &text, const QString &title)
{
    if (activeCapture) {
        activeCapture->messages.append({text, title, {}, true, {}});
        return activeCapture->answer;
    }
    return execBox(parent, text, title, {}, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

SaveChoice AskSaveDiscardCancel(QWidget *parent, const QString &text, const QString &title)
{
    if (activeCapture) {
        activeCapture->messages.append({text, title, {}, true, {}});
        return activeCapture->saveChoice;
    }
    const int button =
        execBox(parent, text, title, {}, QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
    return button == QMessageBox::Save      ? SaveChoice::Save
           : button == QMessageBox::Discard ? SaveChoice::Discard
                                            : SaveChoice::Cancel;
}

} // namespace n35
