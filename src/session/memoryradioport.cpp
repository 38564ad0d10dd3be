#include "session/memoryradioport.h"

#include "link/address.h"
#include "link/radiolink.h"

namespace n35
{

void MemoryRadioPort::write(const QByteArray &data)
{
    const QByteArray command = data.chopped(1);
    QByteArray reply = "NG";
    if (command == RadioLink::IdentifyCommand) {
        reply = "OK";
    } else if (command.size() == 10 && command.startsWith("ZQ~F") && command.endsWith('R')) {
        bool number = false;
        const int address = command.mid(4, 5).toInt(&number, 16);
        const std::optional<QByteArray> block = number ? held.bytes(address, BlockBytes) : std::nullopt;
        reply = block ? block->toHex().toUpper() : QByteArray();
    }
    // The radio's way: the echo, CR LF, the reply, CR LF; a block it does not hold, nothing at all.
    if (!reply.isEmpty())
        inbox += data + "\r\n" + reply + "\r\n";
}

QByteArray MemoryRadioPort::readAvailable()
{
    QByteArray out;
    out.swap(inbox);
    return out;
}

} // namespace n35
