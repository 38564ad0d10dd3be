#include "ui/messages.h"

#include <QMessageBox>

namespace n35
{

namespace
{
MessageCapture *activeCapture = nullptr;

int execBox(QWidget *parent, const QString &text, const QString &title, const QString &detail,
            QMessageBox::StandardButtons buttons, const QString &informative = {})
{
    QMessageBox box(parent);
    box.setIcon(QMessageBox::NoIcon);
    box.setWindowTitle(title);
    box.setTextFormat(Qt::PlainText);
    box.setText(text);
    if (!informative.isEmpty())
        box.setInformativeText(informative);
    if (!detail.isEmpty())
        box.setDetailedText(detail);
    box.setStandardButtons(buttons);
    return box.exec();
}
} // namespace

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
