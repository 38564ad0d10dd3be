#include "emulator/emulatorsession.h"

#include <QDir>

namespace n35emu
{

EmulatorSession::EmulatorSession(QStringList extraArguments, int portNumber)
    : number(portNumber), port(portResolver), radioLink(port)
{
    extraArguments << QStringLiteral("--link")
                   << QDir(dir.path()).filePath(QStringLiteral("com%1").arg(number));
    emulator = std::make_unique<EmulatorProcess>(extraArguments);
    portResolver.setLinkDirectory(dir.path());
    portResolver.setSystemDevices({});
    radioLink.setPortNumber(number);
}

bool EmulatorSession::start(QString *error)
{
    if (!dir.isValid()) {
        *error = QStringLiteral("no temporary folder");
        return false;
    }
    return emulator->start(error);
}

} // namespace n35emu
