#pragma once

#include <QString>

namespace n35
{

class CloneImage;

// Writes the clone image file (also the settings file "HVN35Writer.INI"): a header line, one keyed line
// per region, "COMPORT:" and "File End", as code page 932 text with CR LF line ends. The old file stays
// untouched unless the new one was written completely. Returns false with the reason in *error.
bool SaveImageFile(const QString &path, const CloneImage &image, int portNumber, QString *error = nullptr);

} // namespace n35
