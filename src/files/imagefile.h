#pragma once

#include "model/fixedtexts.h"
#include "model/notice.h"
#include "model/result.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

namespace n35
{

class CloneImage;

// Writes the clone image file (also the settings file "HVN35Writer.INI"): a header line, one keyed line
// per region, "COMPORT:" and "File End", as code page 932 text with CR LF line ends. The old file stays
// untouched unless the new one was written completely. Fails with a channel the radio cannot take (nothing
// is written then), or with the file and why it could not be written. `extraLines` go before "File End"
// (the settings file's own options); readers of image files pass over keys they do not know.
Status SaveImageFile(const QString &path, const CloneImage &image, int portNumber,
                     const QDateTime &when = QDateTime::currentDateTime(),
                     const QStringList &extraLines = {});

// What SaveImageFile writes, or the channel the radio cannot take.
Result<QByteArray> ImageFileContent(const CloneImage &image, int portNumber,
                                    const QDateTime &when = QDateTime::currentDateTime(),
                                    const QStringList &extraLines = {});

// A load that succeeded, with what it has to say: a bank partition that did not add up and was replaced.
using LoadNotices = QList<Notice>;

// Reads a clone image file into `image`. Lines may end in CR LF, LF or CR alone; the file must hold at
// least one line the format knows besides "File End", and "File End" (lines after it are read too). The whole
// file is decoded before anything is applied, so a refused file leaves the image exactly as it was. A loaded
// file empties every channel row but the two CALL rows first; regions without a line in the file keep what
// they held.
//
// A refused file's problem says which kind it is: WrongName (the name does not end in ".N35", any case),
// Unreadable, NotThisFormat (no line a clone image file holds, or none "File End": a file cut short) or
// BadLine (a line a decoder refused; the problem's `where` is "line N", counted from 1, and not the file).
Result<LoadNotices> LoadImageFile(const QString &path, CloneImage &image);

// The same for a file already read into memory.
Result<LoadNotices> LoadImageContent(const QByteArray &content, CloneImage &image);

} // namespace n35
