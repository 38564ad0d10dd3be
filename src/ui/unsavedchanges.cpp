#include "ui/unsavedchanges.h"

#include "ui/filecommands.h"
#include "ui/mainwindow.h"
#include "ui/messages.h"

namespace n35
{

bool ConfirmUnsavedChanges(MainWindow &window, const QString &before, const std::function<void()> &save)
{
    if (window.isClean())
        return true;
    switch (AskSaveDiscardCancel(
        &window, QStringLiteral("The data has changes that were not saved. Save them before %1?").arg(before),
        QStringLiteral("Caution"))) {
    case SaveChoice::Save:
        if (save)
            save();
        else
            FileSave_Click(window);
        // A save that failed or was cancelled keeps the window and the changes.
        return window.isClean();
    case SaveChoice::Discard:
        return true;
    case SaveChoice::Cancel:
        break;
    }
    return false;
}

} // namespace n35
