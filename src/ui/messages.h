#pragma once

#include <QList>
#include <QString>

class QMessageBox;
class QWidget;

namespace n35
{

struct Problem;

// Every message box of the program goes through these two, so that tests can read what the user would
// have been told instead of clicking boxes away.
void ShowMessage(QWidget *parent, const QString &text, const QString &title, const QString &detail = {});
// The same with an informative text under the fixed one, readable without opening the details (where a
// backup went).
void ShowMessage(QWidget *parent, const QString &text, const QString &title, const QString &detail,
                 const QString &informative);
// Sets up a box as the functions above show it (no icon, plain text); the screenshot tools use it too. A
// box with an informative text (a path, say) is made wide enough that the text is not broken mid-word.
void PrepareMessageBox(QMessageBox &box, const QString &text, const QString &title, const QString &detail,
                       const QString &informative = {});
// A command that failed: its fixed text and title, and the problem as the detail. A problem that does not
// name the file it was found in (a line of it) gets `file` named first.
void ShowProblem(QWidget *parent, const QString &text, const QString &title, const Problem &problem,
                 const QString &file = {});
bool AskYesNo(QWidget *parent, const QString &text, const QString &title);
enum class SaveChoice { Save, Discard, Cancel };
SaveChoice AskSaveDiscardCancel(QWidget *parent, const QString &text, const QString &title);

struct CapturedMessage {
    QString text;
    QString title;
    QString detail;
    bool question = false;
    QString informative;
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
