#pragma once

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>

namespace n35::fuzz
{

// The file readers take a path, so every input becomes a file first: `name` in a directory of this
// process (on tmpfs where there is one), overwritten by each input. Returns its path.
QString WriteInputFile(const char *name, const QByteArray &content);

inline QByteArray Bytes(const std::uint8_t *data, std::size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
}

} // namespace n35::fuzz
