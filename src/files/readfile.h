#pragma once

#include "model/result.h"

#include <QByteArray>
#include <QString>

namespace n35
{

// The most any file this program reads may hold: a clone image file is about 130 KB, this program's CSV
// file about 100 KB, a channel list of every row under 200 KB.
inline constexpr qint64 FileReadLimit = 1 << 20;

// A whole file, read only when it is a regular file of at most `limit` bytes: a pipe or a device is
// refused before it is read (reading one could block for ever), as is a file far larger than the format.
// The problem names the file as given and says why.
Result<QByteArray> ReadFileBytes(const QString &path, qint64 limit = FileReadLimit);

// File names as the system spells them. On Linux a name is bytes, and not every name is UTF-8: a byte
// that is no UTF-8 is carried as the lone surrogate U+DC00 + byte, so that such a file can still be found.
QString FileNameFromNative(const QByteArray &native);
QByteArray NativeFileName(const QString &name);

} // namespace n35
