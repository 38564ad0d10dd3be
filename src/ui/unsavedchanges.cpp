#include "ui/unsavedchanges.h"

#include "model/fixedtexts.h"
#include "session/session.h"
#include "ui/filecommands.h"
#include "ui/messages.h"
#include "ui/radiocommand.h"

namespace n35
{

bool ConfirmUnsavedChanges(Session &session, QWidget *parent, const QString &before,
                           const std::function<void()> &save)
{
    if (session.isClean())
        return true;
    switch (AskSaveDiscardCancel(
        parent, QStringLiteral("The data has changes that were not saved. Save them before %1?").arg(before),
        FixedText::CautionTitle())) {
    case SaveChoice::Save:
        if (save)
            save();
        else
            FileSave_Click(session, parent);
        // A save that failed or was cancelled keeps the window and the changes.
        return session.isClean();
    case SaveChoice::Discard:
        return true;
    case SaveChoice::Cancel:
        break;
    }
    return false;
}

} // namespace n35
