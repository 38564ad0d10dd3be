#pragma once

#include "emulator/emulatorprocess.h"
#include "link/portresolver.h"
#include "link/radiolink.h"
#include "link/serialradioport.h"

#include <QTemporaryDir>
#include <memory>

namespace n35emu
{

// The emulator on its pty, bound as COMn through a link of its own, with the program's real serial
// path (PortResolver, SerialRadioPort, RadioLink) in front of it: what a user with a cable has.
class EmulatorSession
{
public:
    explicit EmulatorSession(QStringList extraArguments = {}, int portNumber = 1);

    bool start(QString *error);
    void stop() { emulator->stop(); }
    // Stops the emulator, which saves its memory, and returns the 64 KiB it held (empty on failure).
    QByteArray stopAndReadMemory();

    QString linkDirectory() const { return dir.path(); }
    QString devicePath() const { return emulator->devicePath(); }
    n35::PortResolver &resolver() { return portResolver; }
    n35::RadioLink &link() { return radioLink; }

private:
    QTemporaryDir dir;
    int number;
    std::unique_ptr<EmulatorProcess> emulator;
    n35::PortResolver portResolver;
    n35::SerialRadioPort port;
    n35::RadioLink radioLink;
};

} // namespace n35emu
