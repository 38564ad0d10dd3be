#pragma once

#include "link/outcome.h"
#include "model/result.h"
#include "session/session.h"

#include <QTemporaryDir>
#include <functional>
#include <memory>

namespace n35::cli
{

// What --port names: a COM number as the window resolves it, or a device path.
struct PortTarget {
    int number = 0; // 1..16 for "COMn"; 0 for a device path
    QString device;

    bool isPath() const { return number == 0; }
};

// "COM5" (any case), "5" or a path; COM numbers outside 1..16 and empty text are refused.
Result<PortTarget> ParsePortArgument(const QString &text);

// The port the window last chose (its settings file), which --port defaults to.
int DefaultPortNumber();

// A session on the window's serial path (PortResolver, SerialRadioPort, RadioLink) for one target. A
// device path is bound as COM1 of a link directory of its own, so it goes through exactly the same code.
class RadioConnection
{
public:
    explicit RadioConnection(const PortTarget &target);
    RadioConnection(const RadioConnection &) = delete;
    RadioConnection &operator=(const RadioConnection &) = delete;

    // Runs one of the session's radio workflows (each closes the port after it and turns a PortError into
    // the failure "Port Error" with the error's detail), naming the device in the detail as the user did.
    TransferOutcome run(const std::function<TransferOutcome(Session &)> &workflow);

    Session &session() { return work; }
    // The number a clone image file records in its COMPORT line.
    int fileNumber() const { return target.isPath() ? 1 : target.number; }

private:
    QString explain(const QString &detail) const;

    PortTarget target;
    std::unique_ptr<QTemporaryDir> links;
    Session work;
};

} // namespace n35::cli
