#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace n35
{

class Session;

// Before the window's image is thrown away (closing the window, File > Exit, File > Open): true when the
// caller may go on. An image without unsaved changes goes on without a question; otherwise the user
// chooses Save (the save dialog, `save` in tests; it goes on only once the file is saved), Discard, or
// Cancel (stays). `before` ends the question: "closing", "opening another file".
bool ConfirmUnsavedChanges(Session &session, QWidget *parent, const QString &before,
                           const std::function<void()> &save = {});

} // namespace n35
