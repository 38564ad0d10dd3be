#pragma once

#include <QString>
#include <cstdint>
#include <span>

namespace n35
{

// The repeater pairings of the two bands the radio works on: a repeater transmits in an output segment
// and listens `offsetHz` away, so a channel on its output needs that shift and offset to reach it.
struct RepeaterSegment {
    const char *band;            // "1.25 m", "33 cm"
    std::uint32_t firstOutputHz; // both ends belong to the segment
    std::uint32_t lastOutputHz;
    char shift;             // '-': the input lies below the output
    std::uint32_t offsetHz; // between output and input
};

// The band plan, in one table (the source of each figure stands beside it).
std::span<const RepeaterSegment> RepeaterBandPlan();

// The segment whose outputs include `hz`, or nullptr for a frequency outside every output segment.
const RepeaterSegment *RepeaterSegmentAt(std::uint32_t hz);

} // namespace n35
