#pragma once

namespace n35
{

// Shown by the splash, the version dialog and the main window's caption.
inline constexpr const char *ProgramVersion = "1.00";
inline constexpr const char *ProgramVersionDate = "2012/5";

} // namespace n35
