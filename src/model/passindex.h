#pragma once

#include <QString>
#include <array>
#include <cstdint>

namespace n35
{

class ChannelTable;

// The radio finds pass channels through a sorted, doubly linked list of their frequencies: nodes 0..99
// belong to pass channels 0..99, node 100 is the head. 0xFF in a field means none.
struct PassIndex {
    static constexpr int HeadNode = 100;
    static constexpr std::uint8_t None = 0xFF;

    struct Node {
        bool inUse = false;
        std::uint32_t frequency = 0; // Hz
        std::uint8_t fieldA = None;
        std::uint8_t next = None;
        std::uint8_t previous = None;
    };
    std::array<Node, 101> nodes{};
};

// Builds the list from grid rows 853..952 (pass channels with a frequency), lowest frequency first.
PassIndex BuildPassIndex(const ChannelTable &table);

// The 128 hex characters of index block 0..12: eight 8-byte slots. A pass channel's slot holds its
// frequency, field A, next, previous and 0xFF; the head's slot four 0xFF bytes in place of a frequency;
// every other slot is all 0xFF.
QString PassIndexBlockHex(const PassIndex &index, int block);

} // namespace n35
