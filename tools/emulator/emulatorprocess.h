#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

namespace n35emu
{

// Runs the emulator program on a pseudo-terminal for end-to-end tests and the benchmark.
class EmulatorProcess
{
public:
    // Arguments as the program takes them, e.g. {"--baud", "57600", "--fault", "short"}.
    explicit EmulatorProcess(QStringList extraArguments = {});
    ~EmulatorProcess();

    EmulatorProcess(const EmulatorProcess &) = delete;
    EmulatorProcess &operator=(const EmulatorProcess &) = delete;

    // Starts the program and waits up to 5 s for the device path it prints.
    bool start(QString *error);
    QString devicePath() const { return devicePath_; }
    // Asks the program to stop (it saves its image if --save was given), kills it after 5 s.
    void stop();

    static QString programPath();

private:
    QStringList arguments_;
    QProcess process_;
    QString devicePath_;
};

} // namespace n35emu
