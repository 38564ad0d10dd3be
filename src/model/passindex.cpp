#include "model/passindex.h"

#include "model/channelcodec.h"
#include "model/channeltable.h"
#include "model/hex.h"

#include <algorithm>
#include <vector>

namespace n35
{

PassIndex BuildPassIndex(const ChannelTable &table)
{
    PassIndex index;
    struct Entry {
        int pass;
        std::uint32_t frequency;
    };
    std::vector<Entry> order;
    for (int pass = 0; pass < PassChannelCount; ++pass) {
        const QString &text = table.cell(FirstPassChannel + pass, ColFrequency);
        if (text.isEmpty())
            continue;
        // A frequency the record encoder would refuse never reaches the radio; it has no place here either.
        if (const auto hz = ParseFrequency(text))
            order.push_back({pass, *hz});
    }
    if (order.empty())
        return index;
    std::stable_sort(order.begin(), order.end(),
                     [](const Entry &a, const Entry &b) { return a.frequency < b.frequency; });

    for (std::size_t i = 0; i < order.size(); ++i) {
        PassIndex::Node &node = index.nodes[order[i].pass];
        node.inUse = true;
        node.frequency = order[i].frequency;
        node.previous = i == 0 ? PassIndex::HeadNode : static_cast<std::uint8_t>(order[i - 1].pass);
        node.next = i + 1 < order.size() ? static_cast<std::uint8_t>(order[i + 1].pass) : PassIndex::None;
    }
    PassIndex::Node &head = index.nodes[PassIndex::HeadNode];
    head.fieldA = head.next = static_cast<std::uint8_t>(order.front().pass);
    return index;
}

QString PassIndexBlockHex(const PassIndex &index, int block)
{
    QString hex;
    const QString unused = QStringLiteral("FF").repeated(8);
    for (int slot = 8 * block; slot < 8 * block + 8; ++slot) {
        if (slot > PassIndex::HeadNode) {
            hex += unused;
            continue;
        }
        const PassIndex::Node &node = index.nodes[slot];
        const bool head = slot == PassIndex::HeadNode;
        if (!head && !node.inUse) {
            hex += unused;
            continue;
        }
        hex += head ? QStringLiteral("FFFFFFFF") : Word32Hex(node.frequency);
        hex += ByteHex(node.fieldA) + ByteHex(node.next) + ByteHex(node.previous) + QStringLiteral("FF");
    }
    return hex;
}

} // namespace n35
