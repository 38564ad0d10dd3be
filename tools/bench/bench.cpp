// Serial benchmark: block reads and whole channel transfers through the real serial path (QSerialPort on
// the emulator's pty), paced like the radio's 57600 bit/s line and unpaced. Prints figures; asserts nothing.
//
//   wall / wire   how close the exchange comes to the time the characters need on the wire (target <= 1.03)
//   cpu / wall    the client's CPU time while waiting on a paced line (target <= 5%: it must sleep)
//   exchanges/s   unpaced, the program's own overhead per command

#include "emulator/emulatorsession.h"
#include "link/address.h"
#include "link/channeltransfer.h"
#include "link/progress.h"
#include "model/channeltable.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextStream>
#include <cstdio>
#include <functional>
#include <sys/resource.h>

using namespace n35;

namespace
{

constexpr double BitsPerSecond = 57600.0;
constexpr double BitsPerCharacter = 10.0;

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

struct Figures {
    double wall = 0;
    double cpu = 0;
    double wire = 0;
    qint64 commands = 0;
};

Figures measure(RadioLink &link, const std::function<void()> &work)
{
    const RadioLink::Traffic before = link.traffic();
    const double cpuBefore = cpuSeconds();
    QElapsedTimer clock;
    clock.start();
    work();
    Figures f;
    f.wall = double(clock.nsecsElapsed()) / 1e9;
    f.cpu = cpuSeconds() - cpuBefore;
    const RadioLink::Traffic after = link.traffic();
    const qint64 characters =
        (after.bytesSent - before.bytesSent) + (after.bytesReceived - before.bytesReceived);
    f.wire = double(characters) * BitsPerCharacter / BitsPerSecond;
    f.commands = after.commands - before.commands;
    return f;
}

bool startSession(n35emu::EmulatorSession &session)
{
    QString error;
    if (!session.start(&error)) {
        std::fprintf(stderr, "emulator did not start: %s\n", qPrintable(error));
        return false;
    }
    return true;
}

void blockReads(RadioLink &link, int count)
{
    for (int i = 0; i < count; ++i) {
        if (link.ReadBlock(ChannelBlockAddress(1 + i % ChannelCount)).isEmpty())
            throw std::runtime_error("a block read failed");
    }
}

void print(const char *what, const Figures &f)
{
    std::printf("%-34s %6lld commands  wall %8.3f s  wire %8.3f s  wall/wire %6.4f  cpu/wall %5.1f%%\n", what,
                static_cast<long long>(f.commands), f.wall, f.wire, f.wire > 0 ? f.wall / f.wire : 0.0,
                f.wall > 0 ? 100.0 * f.cpu / f.wall : 0.0);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int reads = 300;
    try {
        {
            n35emu::EmulatorSession paced({QStringLiteral("--baud"), QStringLiteral("57600")});
            if (!startSession(paced))
                return 1;
            paced.link().ReadBlock(QStringLiteral("00000")); // open the port outside the measurement
            print("paced block reads (57600 bit/s)",
                  measure(paced.link(), [&] { blockReads(paced.link(), reads); }));

            ChannelTable table;
            NoProgress progress;
            const Figures read = measure(paced.link(), [&] {
                if (!ReadChannels(paced.link(), table, 1, ChannelCount, progress).ok)
                    throw std::runtime_error("the channel read failed");
            });
            print("paced read of 952 channels", read);
            table.resetToStartup();
            for (int channel = 1; channel <= ChannelCount; ++channel) {
                if (channel % 3 == 0)
                    table.setCells(channel, CallChannelDefaults(QStringLiteral("145.50000MHz")));
            }
            const Figures write = measure(paced.link(), [&] {
                if (!WriteChannels(paced.link(), table, 1, ChannelCount, progress).ok)
                    throw std::runtime_error("the channel write failed");
            });
            print("paced write of 952 channels", write);
            paced.link().close();
            paced.stop();
        }
        {
            n35emu::EmulatorSession unpaced;
            if (!startSession(unpaced))
                return 1;
            unpaced.link().ReadBlock(QStringLiteral("00000"));
            const int count = 3000;
            const Figures f = measure(unpaced.link(), [&] { blockReads(unpaced.link(), count); });
            print("unpaced block reads", f);
            std::printf("unpaced: %.0f exchanges per second\n", double(f.commands) / f.wall);
            unpaced.link().close();
            unpaced.stop();
        }
    } catch (const std::exception &e) {
        std::fprintf(stderr, "benchmark failed: %s\n", e.what());
        return 1;
    }
    return 0;
}
