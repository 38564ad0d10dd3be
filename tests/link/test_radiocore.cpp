// The emulated radio: what it answers, how each fault bends the answer, and the emulator program on a pty.

#include "emulator/emulatorprocess.h"
#include "emulator/radiocore.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

using namespace n35emu;

namespace
{

const QByteArray I = "ZQ~HV-N35";
const QByteArray W = "ZQ~F00000WAB";
const QByteArray R = "ZQ~F00000R";

QByteArray answer(const QByteArray &command, const QByteArray &reply)
{
    return command + "\r\r\n" + reply + "\r\n";
}

QByteArray erased(int hexDigits)
{
    return QByteArray(hexDigits, 'F');
}

QByteArray feed(RadioCore &core, const QByteArray &bytes)
{
    return QByteArray::fromStdString(core.receive(bytes.toStdString()));
}

// One session on the device: open, command, read until the expected size or 3 s of silence, close.
QByteArray exchange(const QString &device, const QByteArray &command, qsizetype expectedSize)
{
    QByteArray received;
    const int fd = ::open(QFile::encodeName(device).constData(), O_RDWR | O_NOCTTY);
    pollfd pfd{fd, POLLIN, 0};
    char buffer[256];
    ssize_t n = 0;
    if (fd >= 0 && ::write(fd, command.constData(), size_t(command.size())) == command.size()) {
        while (received.size() < expectedSize && ::poll(&pfd, 1, 3000) > 0 &&
               (n = ::read(fd, buffer, 256)) > 0)
            received.append(buffer, n);
    }
    ::close(fd);
    return received;
}

} // namespace

class TestRadioCore : public QObject
{
    Q_OBJECT
private slots:
    // Input is fed in pieces split at '|', one receive() call each.
    void protocol_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QByteArray>("expected");
        const QByteArray odd = "ZQ~F00A33W0102ab", one = "ZQ~F00010W7E", wrap = "ZQ~F0FFFFWA55A";
        QTest::newRow("identification") << I + "\r" << answer(I, "OK");
        QTest::newRow("odd address, lower-case hex")
            << odd + "\rZQ~F00a33R\r" << answer(odd, "OK") + answer("ZQ~F00a33R", "0102AB" + erased(122));
        QTest::newRow("one byte") << one + "\rZQ~F0000FR\r"
                                  << answer(one, "OK") + answer("ZQ~F0000FR", "FF7E" + erased(124));
        QTest::newRow("wraps at 64 KiB")
            << wrap + "\rZQ~F0FFFER\r" << answer(wrap, "OK") + answer("ZQ~F0FFFER", "FFA55A" + erased(122));
        QTest::newRow("bad write stores nothing")
            << "ZQ~F00000WABC\r" + R + "\r" << answer("ZQ~F00000WABC", "NG") + answer(R, erased(128));
        QTest::newRow("reset") << QByteArray("ZQ~RESET\r") << QByteArray();
        QTest::newRow("split across reads") << QByteArray("ZQ~F00|000R|\r") << answer(R, erased(128));
        for (const QByteArray &bad :
             {QByteArray("ZQ~HV-N36"), QByteArray("ZQ~F0A33R"), QByteArray("ZQ~F10000R"),
              QByteArray("ZQ~F00000W"), QByteArray("ZQ~F00000w00"), W + QByteArray(128, 'A')})
            QTest::newRow(("NG " + bad.left(20)).constData()) << bad + "\r" << answer(bad, "NG");
    }
    void factorySettingsCanBeRead()
    {
        // A new radio holds the program's start-up settings, empty DTMF memories, the default bank
        // partition (banks 0 to 4 with 100 channels each) and writing permitted.
        RadioCore core;
        const std::pair<int, int> banks[] = {{0x200, 100}, {0x201, 0},   {0x208, 100}, {0x20A, 0}, {0x263, 0},
                                             {0x264, 100}, {0x266, 200}, {0x26C, 100}, {0x26F, 0}};
        for (const auto &[address, value] : banks)
            QCOMPARE(core.memory().at(static_cast<std::size_t>(address)), std::uint8_t(value));
        QCOMPARE(core.memory().at(0), std::uint8_t(0xA5));
        QCOMPARE(core.memory().at(62), std::uint8_t(0x00)); // English
        QCOMPARE(core.memory().at(0xA03), std::uint8_t(0x11));
        QCOMPARE(core.memory().at(0xFE01), std::uint8_t(0x00));
        QCOMPARE(core.memory().at(0xB00), std::uint8_t(0xFF)); // the rest erased
    }
    void protocol()
    {
        QFETCH(QByteArray, input);
        QFETCH(QByteArray, expected);
        RadioCore core;
        std::fill(core.memory().begin(), core.memory().end(), 0xFF); // erased, the factory settings too
        QByteArray output;
        for (const QByteArray &piece : input.split('|'))
            output += feed(core, piece);
        QCOMPARE(output, expected);
    }

    // A write, a read and an identification under each fault: the write is stored, only the output differs.
    void faults()
    {
        const QByteArray hex = "AB" + erased(126);
        const std::pair<const char *, QByteArray> rows[] = {
            {"none", answer(W, "OK") + answer(R, hex) + answer(I, "OK")},
            {"silent", {}},
            {"no-echo", "\r\nOK\r\n\r\n" + hex + "\r\n\r\nOK\r\n"},
            {"echo-only", W + "\r" + R + "\r" + I + "\r"},
            {"short", answer(W, "O") + answer(R, hex.left(100)) + answer(I, "O")},
            {"lower-hex", answer(W, "OK") + answer(R, hex.toLower()) + answer(I, "OK")},
        };
        QVERIFY(!parseFault("Silent"));
        for (const auto &[name, expected] : rows) {
            const std::optional<Fault> fault = parseFault(name);
            QVERIFY2(fault, name);
            RadioCore core;
            std::fill(core.memory().begin(), core.memory().end(), 0xFF);
            core.setFault(*fault);
            QCOMPARE(feed(core, W + "\r" + R + "\r" + I + "\r"), expected);
            QVERIFY2(core.memory()[0] == 0xAB && core.commandsAnswered() == 3, name);
        }
    }

    void stopAfter()
    {
        RadioCore core;
        core.setStopAfter(2);
        QCOMPARE(feed(core, I + "\rZQ~RESET\r" + I + "\r" + W + "\r" + I + "\r"),
                 answer(I, "OK") + answer(I, "OK"));
        QCOMPARE(core.commandsAnswered(), 2);
        QCOMPARE(int(core.memory()[0]), 0xA5); // the write after the stop never landed
    }

    void saveAndLoad()
    {
        QTemporaryDir dir;
        const std::string image = dir.filePath("image.bin").toStdString();
        RadioCore core, loaded, untouched;
        core.memory()[0] = 1;
        core.memory()[0xFFFF] = 3;
        std::string error;
        QVERIFY(core.save(image, &error) && loaded.load(image, &error));
        QVERIFY(loaded.memory() == core.memory());
        QVERIFY(QFile(QString::fromStdString(image)).resize(100));
        QVERIFY(!untouched.load(image, &error) && !error.empty());
        QVERIFY(untouched.memory() == RadioCore().memory()); // a short image is not taken
    }

    // The program on a pty answers one session after another.
    void emulatorProgram()
    {
        EmulatorProcess emulator({"--baud", "57600"});
        QString error;
        QVERIFY2(emulator.start(&error), qPrintable(error));
        const QByteArray expected = answer(I, "OK");
        QCOMPARE(exchange(emulator.devicePath(), I + "\r", expected.size()), expected);
        QCOMPARE(exchange(emulator.devicePath(), I + "\r", expected.size()), expected);
        emulator.stop();
    }
};

QTEST_GUILESS_MAIN(TestRadioCore)
#include "test_radiocore.moc"
