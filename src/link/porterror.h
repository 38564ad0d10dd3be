#pragma once

#include <QString>
#include <stdexcept>

namespace n35
{

// A failure of the serial line during a transfer: the port cannot be opened, the driver reports an error,
// or a reply cannot be cut. The user sees the fixed "Port Error"; detail() says why, for the box's
// detail text.
class PortError : public std::runtime_error
{
public:
    explicit PortError(const QString &detail) : std::runtime_error(detail.toStdString()), detailText(detail)
    {
    }
    const QString &detail() const { return detailText; }

private:
    QString detailText;
};

} // namespace n35
