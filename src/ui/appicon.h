#pragma once

#include <QIcon>

namespace n35
{

// The program's icon: the installed theme icon "hvn35writer" where the desktop has one, else the same
// handheld drawn here, so that a window started from the build folder shows it too.
QIcon ApplicationIcon();

} // namespace n35
