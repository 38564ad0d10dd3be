#pragma once

#include <QBitArray>
#include <QByteArray>
#include <optional>

namespace n35
{

// What the program knows the radio's 64 KiB to hold, byte by byte: filled from a backup just read, kept
// up to date by every block written while it is in use (RadioLink::setMirror).
class RadioMemory
{
public:
    static constexpr int Size = 64 * 1024;

    RadioMemory();

    // Stores `bytes` from `address` on; what would run past the end is dropped.
    void store(int address, const QByteArray &bytes);
    // The `length` bytes from `address`, when every one of them is known.
    std::optional<QByteArray> bytes(int address, int length) const;
    bool known(int address, int length) const;

private:
    QByteArray memory;
    QBitArray filled;
};

} // namespace n35
