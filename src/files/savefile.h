#pragma once

#include "model/result.h"

#include <QByteArray>
#include <QString>

namespace n35
{

// The one way this program replaces a file on disk (clone images, CSV, channel lists, the settings file,
// backups). The content goes into a temporary file beside `path`, unbuffered, so that a full disk or a
// write error shows at the write itself; it is synced to the disk and only then renamed over the old
// file. Afterwards either the complete new file stands at `path` or the old one is untouched (and no
// temporary file is left). The problem names the file as given and says why.
Status SaveFileAtomically(const QString &path, const QByteArray &content);

} // namespace n35
