#include "model/bandplan.h"

#include <algorithm>
#include <array>

namespace n35
{

namespace
{

// Where each figure comes from: both pairings are as given in the project's requirements.
// - 1.25 m: repeater outputs 223.850 to 224.980 MHz, inputs 1.6 MHz below.
// - 33 cm: repeater outputs 927.0125 to 927.9875 MHz, inputs 25 MHz below (902.0125 to 902.9875 MHz).
// Other 33 cm pairings are regional and not in the table: no source at hand to state them from.
constexpr std::array<RepeaterSegment, 2> Plan{{
    {"1.25 m", 223'850'000, 224'980'000, '-', 1'600'000},
    {"33 cm", 927'012'500, 927'987'500, '-', 25'000'000},
}};

} // namespace

std::span<const RepeaterSegment> RepeaterBandPlan()
{
    return Plan;
}

const RepeaterSegment *RepeaterSegmentAt(std::uint32_t hz)
{
    const auto *found = std::find_if(Plan.begin(), Plan.end(), [hz](const RepeaterSegment &segment) {
        return hz >= segment.firstOutputHz && hz <= segment.lastOutputHz;
    });
    return found == Plan.end() ? nullptr : &*found;
}

} // namespace n35
