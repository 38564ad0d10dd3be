#include "link/radiomemory.h"

#include <algorithm>

namespace n35
{

RadioMemory::RadioMemory() : memory(Size, '\0'), filled(Size, false) {}

void RadioMemory::store(int address, const QByteArray &bytes)
{
    if (address < 0 || address >= Size)
        return;
    const int length = std::min(static_cast<int>(bytes.size()), Size - address);
    memory.replace(address, length, bytes.first(length));
    filled.fill(true, address, address + length);
}

bool RadioMemory::known(int address, int length) const
{
    if (address < 0 || length < 0 || address + length > Size)
        return false;
    for (int at = address; at < address + length; ++at) {
        if (!filled.testBit(at))
            return false;
    }
    return true;
}

std::optional<QByteArray> RadioMemory::bytes(int address, int length) const
{
    if (!known(address, length))
        return std::nullopt;
    return memory.mid(address, length);
}

} // namespace n35
