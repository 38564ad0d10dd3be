// The window's commands through the real serial path: the COMPort menu's number bound to the emulator's
// pty, QSerialPort in the window, the memory page's buttons and the reset button.

#include "emulator/emulatorprocess.h"
#include "support/channelfixtures.h"
#include "ui/mainwindow.h"
#include "ui/memorypage.h"
#include "ui/messages.h"

#include <QAbstractButton>
#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

using namespace n35;

class WindowEndToEndTest : public QObject
{
    Q_OBJECT

private slots:
    void writeAllThenReadAllThroughTheChosenPort();
};

void WindowEndToEndTest::writeAllThenReadAllThroughTheChosenPort()
{
    QTemporaryDir dir;
    n35emu::EmulatorProcess radio({QStringLiteral("--link"), dir.filePath(QStringLiteral("com4"))});
    QString error;
    QVERIFY2(radio.start(&error), qPrintable(error));

    MessageCapture capture;
    MainWindow window(nullptr, dir.filePath(QStringLiteral("HVN35Writer.INI")));
    window.portResolver().setLinkDirectory(dir.path());
    window.portResolver().setSystemDevices({});
    window.MenuSetCom_Click(4);
    QVERIFY(capture.messages.isEmpty());

    ChannelTable &table = window.cloneImage().channels;
    testing::FillVariedChannels(table, 1, ChannelCount);
    auto click = [&](const char *name) { window.findChild<QAbstractButton *>(QLatin1String(name))->click(); };

    click("MemAllWrite");
    QCOMPARE(capture.messages.size(), 1);
    QCOMPARE(capture.messages.last().text, QStringLiteral("All memory data write successed."));
    QVERIFY(!window.radioLink().port().isOpen()); // closed between transfers

    std::vector<ChannelCells> written;
    for (int channel = 1; channel <= ChannelCount; ++channel)
        written.push_back(table.cells(channel));
    click("ALL_Reset");
    QVERIFY(table.cell(1, ColFrequency).isEmpty());
    click("MemAllRead");
    QCOMPARE(capture.messages.last().text, QStringLiteral("ALL memory data read successed."));
    for (int channel = 1; channel <= ChannelCount; ++channel)
        QCOMPARE(table.cell(channel, ColStep), written[channel - 1][ColStep - 1]);

    // The reset goes out unanswered, and the radio serves the next transfer as before.
    click("cmdZQRESET");
    QCOMPARE(capture.messages.size(), 2);
    window.findChild<MemoryPage *>()->selectChannels(900, 853);
    click("MEM_ONE_READ");
    QCOMPARE(capture.messages.last().text, QStringLiteral("Memory data read successed."));
    QVERIFY(!window.isLocked());
}

QTEST_MAIN(WindowEndToEndTest)
#include "test_window_e2e.moc"
