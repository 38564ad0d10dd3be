#pragma once

#include <QString>

namespace n35
{

// A message for the user: its fixed text and title, and what helps beyond it (the box's detail text).
struct Notice {
    QString text;
    QString title;
    QString detail;
};

} // namespace n35
