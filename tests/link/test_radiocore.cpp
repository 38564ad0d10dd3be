// The emulated radio: what it answers, how each fault bends the answer, and the emulator program on a pty.

#include "emulator/emulatorprocess.h"
#include "emulator/radiocore.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

using namespace n35emu;

namespace
{

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

// One session on the device as the desktop program has it: open, command, read the whole answer, close.
QByteArray exchange(const QString &device, const QByteArray &command, qsizetype expectedSize)
{
    const int fd = ::open(QFile::encodeName(device).constData(), O_RDWR | O_NOCTTY);
    if (fd < 0)
        return "open failed";
    QByteArray received;
    if (::write(fd, command.constData(), size_t(command.size())) == command.size()) {
        pollfd pfd{fd, POLLIN, 0};
        char buffer[256];
        while (received.size() < expectedSize && ::poll(&pfd, 1, 3000) > 0) {
            const ssize_t n = ::read(fd, buffer, sizeof buffer);
            if (n <= 0)
                break;
            received.append(buffer, n);
        }
    }
    ::close(fd);
    return received;
}

} // namespace

class TestRadioCore : public QObject
{
    Q_OBJECT
private slots:
    void protocol_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QByteArray>("expected");

        QTest::newRow("identification") << QByteArray("ZQ~HV-N35\r") << answer("ZQ~HV-N35", "OK");
        QTest::newRow("read erased") << QByteArray("ZQ~F00000R\r") << answer("ZQ~F00000R", erased(128));
        QTest::newRow("odd address, mixed case")
            << QByteArray("ZQ~F00A33W0102ab\rZQ~F00a33R\r")
            << answer("ZQ~F00A33W0102ab", "OK") + answer("ZQ~F00a33R", "0102AB" + erased(122));
        QTest::newRow("one byte") << QByteArray("ZQ~F00010W7e\rZQ~F0000FR\r")
                                  << answer("ZQ~F00010W7e", "OK") +
                                         answer("ZQ~F0000FR", "FF7E" + erased(124));
        QTest::newRow("wraps at 64 KiB")
            << QByteArray("ZQ~F0FFFFWA55A\rZQ~F0FFFER\r")
            << answer("ZQ~F0FFFFWA55A", "OK") + answer("ZQ~F0FFFER", "FFA55A" + erased(122));
        QByteArray block;
        for (int i = 0; i < 64; ++i)
            block.append(char(i * 7 + 1));
        const QByteArray write = "ZQ~F00100W" + block.toHex();
        QTest::newRow("full block") << write + "\rZQ~F00100R\r"
                                    << answer(write, "OK") + answer("ZQ~F00100R", block.toHex().toUpper());
        QTest::newRow("noise before command")
            << QByteArray("\n#xZQ~F0ZQ~HV-N35\r") << answer("ZQ~HV-N35", "OK");
        QTest::newRow("bare CR") << QByteArray("\r\n\r") << QByteArray();
        QTest::newRow("reset") << QByteArray("ZQ~RESET\r") << QByteArray();
        QTest::newRow("bad write stores nothing")
            << QByteArray("ZQ~F00000WABC\rZQ~F00000R\r")
            << answer("ZQ~F00000WABC", "NG") + answer("ZQ~F00000R", erased(128));

        const QByteArray tooLong = "ZQ~F00000W" + QByteArray(130, 'A');
        for (const QByteArray &bad :
             {QByteArray("ZQ~HV-N36"), QByteArray("ZQ~F0A33R"), QByteArray("ZQ~F00G33R"),
              QByteArray("ZQ~F10000R"), QByteArray("ZQ~F00000"), QByteArray("ZQ~F00000RX"),
              QByteArray("ZQ~F00000W"), QByteArray("ZQ~F00000WZZ"), QByteArray("ZQ~F00000w00"), tooLong})
            QTest::newRow(("NG " + bad.left(20)).constData()) << bad + "\r" << answer(bad, "NG");
    }

    void protocol()
    {
        QFETCH(QByteArray, input);
        QFETCH(QByteArray, expected);
        RadioCore core;
        QCOMPARE(feed(core, input), expected);
    }

    void faults_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QByteArray>("expected");

        const QByteArray hex = "AB" + erased(126);
        QTest::newRow("none") << "none" << answer(W, "OK") + answer(R, hex) + answer(I, "OK");
        QTest::newRow("silent") << "silent" << QByteArray();
        QTest::newRow("no-echo") << "no-echo"
                                 << "\r\nOK\r\n\r\n" + hex + "\r\n\r\nOK\r\n";
        QTest::newRow("echo-only") << "echo-only" << W + "\r" + R + "\r" + I + "\r";
        QTest::newRow("short") << "short" << answer(W, "O") + answer(R, hex.left(100)) + answer(I, "O");
        QTest::newRow("lower-hex") << "lower-hex"
                                   << answer(W, "OK") + answer(R, hex.toLower()) + answer(I, "OK");
    }

    void faults()
    {
        QFETCH(QString, fault);
        QFETCH(QByteArray, expected);
        const auto parsed = parseFault(fault.toStdString());
        QVERIFY(parsed);
        RadioCore core;
        core.setFault(*parsed);
        QCOMPARE(feed(core, W + "\r" + R + "\r" + I + "\r"), expected);
        QCOMPARE(int(core.memory()[0]), 0xAB);
        QCOMPARE(core.commandsAnswered(), 3);
    }

    void unknownFaultName() { QVERIFY(!parseFault("Silent")); }

    void stopAfter()
    {
        RadioCore core;
        core.setStopAfter(2);
        QCOMPARE(feed(core, I + "\rZQ~RESET\r" + I + "\r" + W + "\r" + I + "\r"),
                 answer(I, "OK") + answer(I, "OK"));
        QCOMPARE(core.commandsAnswered(), 2);
        QCOMPARE(int(core.memory()[0]), 0xFF);
    }

    void commandSplitAcrossReads()
    {
        RadioCore core;
        QCOMPARE(feed(core, "ZQ~F00"), QByteArray());
        QCOMPARE(feed(core, "000R"), QByteArray());
        QCOMPARE(feed(core, "\r"), answer(R, erased(128)));
    }

    void saveAndLoad()
    {
        QTemporaryDir dir;
        const std::string image = dir.filePath("image.bin").toStdString();
        RadioCore core;
        core.memory()[0] = 1;
        core.memory()[0x1234] = 2;
        core.memory()[0xFFFF] = 3;
        std::string error;
        QVERIFY(core.save(image, &error));

        RadioCore loaded;
        QVERIFY(loaded.load(image, &error));
        QVERIFY(loaded.memory() == core.memory());

        QFile truncated(QString::fromStdString(image));
        QVERIFY(truncated.resize(100));
        RadioCore untouched;
        QVERIFY(!untouched.load(image, &error));
        QVERIFY(!error.empty());
        QCOMPARE(int(untouched.memory()[0]), 0xFF);
        QVERIFY(!untouched.load(dir.filePath("missing").toStdString(), &error));
    }

    // The program on a pty: one session after another, through the device and through the link, paced,
    // and its image saved when it stops.
    void emulatorProgram()
    {
        QTemporaryDir dir;
        const QString link = dir.filePath("com7");
        const QString image = dir.filePath("image.bin");
        EmulatorProcess emulator({"--baud", "9600", "--link", link, "--save", image});
        QString error;
        QVERIFY2(emulator.start(&error), qPrintable(error));

        const QByteArray identify = I + "\r";
        const QByteArray expected = answer(I, "OK");
        QElapsedTimer timer;
        timer.start();
        QCOMPARE(exchange(emulator.devicePath(), identify, expected.size()), expected);
        // Ten bits a character at 9600 baud, for the command and the answer.
        const qint64 wireNs = (identify.size() + expected.size()) * 10 * 1'000'000'000LL / 9600;
        QVERIFY2(timer.nsecsElapsed() >= wireNs, "answered faster than the line allows");

        QCOMPARE(exchange(link, W + "\r", answer(W, "OK").size()), answer(W, "OK"));
        QCOMPARE(exchange(emulator.devicePath(), identify, expected.size()), expected);

        emulator.stop();
        QFile saved(image);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        const QByteArray bytes = saved.readAll();
        QCOMPARE(bytes.size(), 65536);
        QCOMPARE(int(quint8(bytes[0])), 0xAB);
        QVERIFY(!QFileInfo(link).isSymLink());
    }

private:
    const QByteArray I = "ZQ~HV-N35";
    const QByteArray W = "ZQ~F00000WAB";
    const QByteArray R = "ZQ~F00000R";
};

QTEST_GUILESS_MAIN(TestRadioCore)
#include "test_radiocore.moc"
