#include "emulator/emulatorsession.h"

#include "files/readfile.h"

#include <QDir>

namespace n35emu
{

EmulatorSession::EmulatorSession(QStringList extraArguments, int portNumber)
    : number(portNumber), port(portResolver), radioLink(port)
{
    extraArguments << QStringLiteral("--save") << QDir(dir.path()).filePath(QStringLiteral("memory.bin"));
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

QByteArray EmulatorSession::stopAndReadMemory()
{
    radioLink.close();
    emulator->stop();
    const n35::Result<QByteArray> saved =
        n35::ReadFileBytes(QDir(dir.path()).filePath(QStringLiteral("memory.bin")));
    return saved ? *saved : QByteArray();
}

} // namespace n35emu
