#pragma once

namespace n35
{

// The window layouts are measured in twips; the screens they were drawn for had 15 twips to a pixel.
constexpr int twips(int t)
{
    return t / 15;
}

} // namespace n35
