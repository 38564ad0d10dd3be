#include "emulator/emulatorprocess.h"

#include <QDeadlineTimer>

namespace n35emu
{

namespace
{
constexpr int timeoutMs = 5000;
}

EmulatorProcess::EmulatorProcess(QStringList extraArguments) : arguments_(std::move(extraArguments))
{
    // The program's diagnostics go to stderr; let them show up in the test's or benchmark's output.
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
}

EmulatorProcess::~EmulatorProcess()
{
    stop();
}

QString EmulatorProcess::programPath()
{
    return QStringLiteral(N35_EMULATOR_PATH);
}

bool EmulatorProcess::start(QString *error)
{
    auto fail = [&](const QString &reason) {
        if (error)
            *error = reason;
        stop();
        return false;
    };
    stop();
    process_.start(programPath(), arguments_);
    if (!process_.waitForStarted(timeoutMs))
        return fail(QStringLiteral("cannot start %1: %2").arg(programPath(), process_.errorString()));

    const QDeadlineTimer deadline(timeoutMs);
    while (!process_.canReadLine()) {
        if (process_.state() != QProcess::Running || deadline.hasExpired())
            return fail(QStringLiteral("the emulator printed no device path (exit code %1)")
                            .arg(process_.state() == QProcess::Running ? -1 : process_.exitCode()));
        process_.waitForReadyRead(static_cast<int>(deadline.remainingTime()));
    }
    devicePath_ = QString::fromLocal8Bit(process_.readLine()).trimmed();
    if (devicePath_.isEmpty())
        return fail(QStringLiteral("the emulator printed an empty device path"));
    return true;
}

void EmulatorProcess::stop()
{
    devicePath_.clear();
    if (process_.state() == QProcess::NotRunning)
        return;
    process_.terminate();
    if (!process_.waitForFinished(timeoutMs)) {
        process_.kill();
        process_.waitForFinished(timeoutMs);
    }
}

} // namespace n35emu
