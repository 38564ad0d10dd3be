// Serial benchmark: block reads and whole channel transfers through the real serial path (QSerialPort on
// the emulator's pty), paced like the radio's 57600 bit/s line and unpaced. Prints figures; asserts nothing.
//
//   wall / wire   how close the exchange comes to the time the characters need on the wire (target <= 1.03)
//   cpu / wall    the client's CPU time while waiting on a paced line (target <= 5%: it must sleep)
//   exchanges/s   unpaced, the program's own overhead per command

#include "emulator/emulatorsession.h"
#include "files/backup.h"
#include "files/chirpcsv.h"
#include "files/csvfile.h"
#include "files/imagefile.h"
#include "files/readfile.h"
#include "files/rowclipboard.h"
#include "files/savefile.h"
#include "link/address.h"
#include "link/channeltransfer.h"
#include "link/progress.h"
#include "link/wholeradio.h"
#include "model/channelcells.h"
#include "model/channeltable.h"
#include "model/cloneimage.h"
#include "model/history.h"
#include "session/radiobackups.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <sys/resource.h>

using namespace n35;

namespace
{

constexpr double BitsPerSecond = 57600.0;
constexpr double BitsPerCharacter = 10.0;

double cpuSeconds(int who = RUSAGE_SELF)
{
    rusage usage{};
    getrusage(who, &usage);
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

// The write after a backup into a well-filled radio (600 used channels) that differs from the image in 5
// channels, against one whole read (target <= 1.10); the restore of its backup against its wire time
// (target <= 1.03).
void backupRuns(RadioLink &link, const QString &folder, const Figures &readAll)
{
    CloneImage image;
    for (int channel = 1; channel <= 600; ++channel) {
        image.channels.setCells(channel,
                                CallChannelDefaults(FrequencyText(144000000u + 12500u * quint32(channel))));
        image.channels.setUsed(channel, true);
    }
    NoProgress progress;
    if (!WriteAllData(link, image, progress).ok)
        throw std::runtime_error("the whole-radio write failed");
    for (int channel = 100; channel < 600; channel += 100)
        image.channels.setCell(channel, ColFrequency, FrequencyText(430000000u + 12500u * quint32(channel)));
    WriteReport report;
    const Figures write = measure(link, [&] {
        report = WriteImage(link, image, progress, {true, false, folder, QStringLiteral("bench")});
        if (!report.outcome.ok)
            throw std::runtime_error("the backed-up write failed");
    });
    print("paced backed-up write, 5 changed", write);
    std::printf("%-34s %lld blocks sent, %lld left out; wall over one Read All Data %.3f (target <= 1.10)\n",
                "", static_cast<long long>(report.blocksWritten),
                static_cast<long long>(report.blocksSkipped), write.wall / readAll.wall);
    const Result<RadioBackup> backup = LoadBackupFile(report.backupPath);
    if (!backup)
        throw std::runtime_error("the backup did not load");
    const Figures restore = measure(link, [&] {
        if (!RestoreBackup(link, *backup, progress).restored())
            throw std::runtime_error("the restore failed");
    });
    print("paced restore (write and read back)", restore);
}

// Paced block reads and whole channel transfers against one emulator.
bool pacedRuns(const QStringList &emulatorArguments, const char *label)
{
    // A radio with settings of its own: erased memory holds values no settings list can show.
    QTemporaryDir dir;
    const QString memoryFile = dir.filePath(QStringLiteral("radio.bin"));
    QByteArray memory(0x10000, char(0xFF));
    const SetModeSettings defaults;
    const QByteArray settings =
        QByteArray::fromHex((defaults.MakeSettingData(0) + defaults.MakeSettingData(1)).toLatin1());
    memory.replace(0, settings.size(), settings);
    if (!SaveFileAtomically(memoryFile, memory))
        return false;
    n35emu::EmulatorSession paced(emulatorArguments + QStringList{QStringLiteral("--load"), memoryFile});
    if (!startSession(paced))
        return false;
    std::printf("-- emulator paced at 57600 bit/s, %s\n", label);
    RadioLink &link = paced.link();
    link.ReadBlock(QStringLiteral("00000")); // open the port outside the measurement
    print("paced block reads", measure(link, [&] { blockReads(link, 300); }));

    ChannelTable table;
    NoProgress progress;
    print("paced read of 952 channels", measure(link, [&] {
              if (!ReadChannels(link, table, 1, ChannelCount, progress).ok)
                  throw std::runtime_error("the channel read failed");
          }));
    for (int channel = 1; channel <= ChannelCount; ++channel) {
        if (channel % 3 == 0)
            table.setCells(channel, CallChannelDefaults(QStringLiteral("223.50000MHz")));
    }
    print("paced write of 952 channels", measure(link, [&] {
              if (!WriteChannels(link, table, 1, ChannelCount, progress).ok)
                  throw std::runtime_error("the channel write failed");
          }));

    // The whole radio, every region, in both directions.
    CloneImage image;
    for (int channel = 1; channel <= ChannelCount; ++channel) {
        if (channel % 3 == 0 && !IsCallChannel(channel))
            image.channels.setCells(channel, CallChannelDefaults(QStringLiteral("222.50000MHz")));
    }
    print("paced Write All Data", measure(link, [&] {
              if (!WriteAllData(link, image, progress).ok)
                  throw std::runtime_error("the whole-radio write failed");
          }));
    const Figures readAll = measure(link, [&] {
        if (!ReadAllData(link, image, progress).ok)
            throw std::runtime_error("the whole-radio read failed");
    });
    print("paced Read All Data", readAll);
    backupRuns(link, dir.path(), readAll);
    link.close();

    // The command line's whole-radio read, the same exchange in a process of its own: its wall time
    // from start to exit, its CPU time from the kernel's account of the finished child.
    QProcess cli;
    cli.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    const double childCpuBefore = cpuSeconds(RUSAGE_CHILDREN);
    QElapsedTimer clock;
    clock.start();
    cli.start(QStringLiteral(N35_CLI_PATH),
              {QStringLiteral("read"), QStringLiteral("--port"), paced.devicePath(), QStringLiteral("-o"),
               dir.filePath(QStringLiteral("cli.n35"))});
    if (!cli.waitForFinished(600'000) || cli.exitStatus() != QProcess::NormalExit || cli.exitCode() != 0)
        throw std::runtime_error("hvn35 read failed");
    Figures f = readAll;
    f.wall = double(clock.nsecsElapsed()) / 1e9;
    f.cpu = cpuSeconds(RUSAGE_CHILDREN) - childCpuBefore;
    print("hvn35 read (whole radio)", f);
    paced.stop();
    return true;
}

// Save and load of a full clone image file and a 952-row CSV file (targets <= 50 ms each).
void fileFigures()
{
    CloneImage image;
    for (int channel = 1; channel <= ChannelCount; ++channel) {
        if (IsCallChannel(channel))
            continue;
        ChannelCells cells =
            CallChannelDefaults(FrequencyText(216'000'000U + 12'500U * std::uint32_t(channel)));
        cells[ColName - 1] = QStringLiteral("CH%1 \\1").arg(channel);
        image.channels.setCells(channel, cells);
        image.channels.setUsed(channel, true);
    }
    QTemporaryDir dir;
    const QString imagePath = dir.filePath(QStringLiteral("full.N35"));
    const QString csvPath = dir.filePath(QStringLiteral("full.csv"));
    auto time = [](const char *what, const std::function<bool()> &work) {
        QElapsedTimer clock;
        double best = 1e9;
        for (int run = 0; run < 5; ++run) {
            clock.start();
            if (!work())
                throw std::runtime_error(what);
            best = std::min(best, double(clock.nsecsElapsed()) / 1e6);
        }
        std::printf("%-34s best of 5: %7.1f ms\n", what, best);
    };
    std::printf("-- files\n");
    time("save full .N35 file", [&] { return SaveImageFile(imagePath, image, 1).ok(); });
    time("load full .N35 file", [&] { return LoadImageFile(imagePath, image).ok(); });
    time("export 952-row CSV", [&] { return ExportCsv(csvPath, image.channels).ok(); });
    time("import 952-row CSV", [&] { return ImportCsv(csvPath, image.channels).ok(); });
    // The backup before a write (target < 20 ms): all of its blocks, saved atomically.
    RadioBackup backup{QStringLiteral("bench"), QDateTime::currentDateTime(), QStringLiteral("COM1"), {}};
    for (const int address : BackupBlockAddresses())
        backup.blocks.append({address, QByteArray(64, char(address))});
    const QString backupPath = dir.filePath(QStringLiteral("radio.n35bak"));
    time("save a backup", [&] { return SaveBackupFile(backupPath, backup).ok(); });
    time("load a backup", [&] { return LoadBackupFile(backupPath).ok(); });
}

// Resident memory now, in MB, from /proc/self/statm.
double residentMb()
{
    const Result<QByteArray> statm = ReadFileBytes(QStringLiteral("/proc/self/statm"));
    if (!statm)
        return 0;
    const QList<QByteArray> fields = statm->split(' ');
    return fields.size() > 1 ? fields.at(1).toDouble() * double(getpagesize()) / (1024.0 * 1024.0) : 0;
}

// Undo, redo, paste and the history's memory on whole-grid steps (targets: undo or redo <= 20 ms, paste
// of 952 rows <= 100 ms, 100 whole-grid steps <= 30 MB).
void editFigures()
{
    CloneImage image;
    // A grid where every row differs from the last step's, as a whole-grid import or paste would leave it.
    auto fillAll = [&](int variant) {
        for (int channel = 1; channel <= ChannelCount; ++channel) {
            ChannelCells cells = CallChannelDefaults(FrequencyText(
                (IsCallChannel(channel) && channel != Call222Channel ? 902'000'000U : 216'000'000U) +
                12'500U * std::uint32_t(channel % 900 + variant)));
            cells[ColName - 1] = QStringLiteral("S%1-%2").arg(variant).arg(channel);
            image.channels.setCells(channel, cells);
            image.channels.setUsed(channel, true);
        }
    };
    auto best = [](const char *what, int runs, const std::function<void()> &work) {
        QElapsedTimer clock;
        double fastest = 1e9;
        for (int run = 0; run < runs; ++run) {
            clock.start();
            work();
            fastest = std::min(fastest, double(clock.nsecsElapsed()) / 1e6);
        }
        std::printf("%-34s best of %d: %7.2f ms\n", what, runs, fastest);
    };
    std::printf("-- editing\n");
    ImageHistory history(image);
    fillAll(1);
    best("record a whole-grid step", 1, [&] { history.record(QStringLiteral("a")); });
    fillAll(2);
    history.record(QStringLiteral("b"));
    best("undo then redo, whole grid", 5, [&] {
        history.undo();
        history.redo();
    });
    QElapsedTimer clock;
    double undoMs = 1e9;
    double redoMs = 1e9;
    for (int run = 0; run < 5; ++run) {
        clock.start();
        history.undo();
        undoMs = std::min(undoMs, double(clock.nsecsElapsed()) / 1e6);
        clock.start();
        history.redo();
        redoMs = std::min(redoMs, double(clock.nsecsElapsed()) / 1e6);
    }
    std::printf("%-34s best of 5: %7.2f ms\n", "undo alone", undoMs);
    std::printf("%-34s best of 5: %7.2f ms\n", "redo alone", redoMs);

    const QString text = RowsAsText(image.channels, 1, ChannelCount);
    ChannelTable target;
    best("paste 952 rows", 5, [&] { PasteRows(text, 1, target); });
    const QByteArray list = ChannelListContent(image.channels);
    best("import a 950-channel list", 5, [&] { ImportChannelListContent(list, target, 1); });

    CloneImage big;
    ImageHistory steps(big);
    const double before = residentMb();
    for (int step = 0; step < ImageHistory::DefaultLimit; ++step) {
        for (int channel = 1; channel <= ChannelCount; ++channel) {
            if (!IsCallChannel(channel))
                big.channels.setCell(channel, ColName, QStringLiteral("N%1-%2").arg(step).arg(channel));
        }
        steps.record(QStringLiteral("step"));
    }
    std::printf("%-34s %7.1f MB resident (%.1f MB by its own count)\n", "history of 100 whole-grid steps",
                residentMb() - before, double(steps.footprint()) / (1024.0 * 1024.0));
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    try {
        fileFigures();
        editFigures();
        const QStringList paced{QStringLiteral("--baud"), QStringLiteral("57600")};
        if (!pacedRuns(paced, "sleeping between characters (wall time includes its own wake-up latency)"))
            return 1;
        if (!pacedRuns(paced + QStringList{QStringLiteral("--spin")},
                       "spinning (its wake-up latency left out: the program's own overhead)"))
            return 1;

        n35emu::EmulatorSession unpaced;
        if (!startSession(unpaced))
            return 1;
        std::printf("-- emulator unpaced\n");
        unpaced.link().ReadBlock(QStringLiteral("00000"));
        const Figures f = measure(unpaced.link(), [&] { blockReads(unpaced.link(), 3000); });
        print("unpaced block reads", f);
        std::printf("unpaced: %.0f exchanges per second\n", double(f.commands) / f.wall);
        unpaced.link().close();
        unpaced.stop();
    } catch (const std::exception &e) {
        std::fprintf(stderr, "benchmark failed: %s\n", e.what());
        return 1;
    }
    return 0;
}
