#pragma once

#include <QList>
#include <QString>

class QWidget;

namespace n35
{

// Every message box of the program goes through these two, so that tests can read what the user would
// have been told instead of clicking boxes away.
void ShowMessage(QWidget *parent, const QString &text, const QString &title, const QString &detail = {});
bool AskYesNo(QWidget *parent, const QString &text, const QString &title);
enum class SaveChoice { Save, Discard, Cancel };
SaveChoice AskSaveDiscardCancel(QWidget *parent, const QString &text, const QString &title);

struct CapturedMessage {
    QString text;
    QString title;
    QString detail;
    bool question = false;
};

// While one exists, messages are recorded here instead of shown; AskYesNo returns `answer`.
class MessageCapture
{
public:
    MessageCapture();
    ~MessageCapture();
    MessageCapture(const MessageCapture &) = delete;
    MessageCapture &operator=(const MessageCapture &) = delete;

    QList<CapturedMessage> messages;
    bool answer = true;
    SaveChoice saveChoice = SaveChoice::Cancel; // what AskSaveDiscardCancel returns

private:
    MessageCapture *previous;
};

} // namespace n35
