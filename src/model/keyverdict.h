#pragma once

namespace n35
{

// What a number box does with a key the user typed: take it, drop it, or take it as "confirm" (Enter).
enum class KeyVerdict { Accept, Drop, Confirm };

} // namespace n35
