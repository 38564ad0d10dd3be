// The window's commands through the real serial path: the COMPort menu's number bound to the emulator's
// pty, QSerialPort in the window, the memory page's buttons and the reset button.

#include "emulator/emulatorprocess.h"
#include "emulator/emulatorsession.h"
#include "model/banks.h"
#include "model/dtmf.h"
#include "model/onetouch.h"
#include "model/settings.h"
#include "model/title.h"
#include "support/channelfixtures.h"
#include "support/emulatorwindow.h"
#include "ui/fontwindow.h"
#include "ui/mainwindow.h"
#include "ui/memorypage.h"
#include "ui/messages.h"

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace n35;

class WindowEndToEndTest : public QObject
{
    Q_OBJECT

private slots:
    void writeAllThenReadAllThroughTheChosenPort();
    void bankWriteThenBankReadRoundTrips();
    void settingsWriteThenReadRoundTrips();
    void oneTouchAndTitleRoundTrip();
    void glyphsWriteAllThenReadAllRoundTrip();
    void bankLinkWriteThenReadRoundTrips();
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

void WindowEndToEndTest::bankWriteThenBankReadRoundTrips()
{
    testing::EmulatorWindow rig({}, 6);
    QVERIFY2(rig.started, qPrintable(rig.error));
    MainWindow &window = *rig.window;
    MessageCapture &capture = rig.capture;
    n35emu::EmulatorSession &radio = rig.radio;
    window.switchPage(2);
    auto click = [&](const char *name) { window.findChild<QAbstractButton *>(QLatin1String(name))->click(); };

    BankPartition &banks = window.cloneImage().banks;
    BankPartition::Counts counts{};
    counts[0] = 1;
    counts[31] = 258; // 0x0102, so a swapped byte order would show
    counts[32] = 200;
    counts[49] = 41;
    banks.setCounts(counts);
    const QString block0 = EncodeBankBlock(banks, 0);
    const QString block1 = EncodeBankBlock(banks, 1);
    click("WRITE_BANK");
    banks.reset();
    click("READ_BANK");
    QCOMPARE(capture.messages.size(), 2);
    QCOMPARE(capture.messages.at(0).text, QStringLiteral("Bank partition data write successed."));
    QCOMPARE(capture.messages.at(1).text, QStringLiteral("Bank partition data read successed."));
    QVERIFY(banks.counts() == counts);
    QCOMPARE(window.cloneImage().channels.label(500), QStringLiteral("Bank49-040"));

    // Block 0 fills 0x200..0x23F; block 1 is written as 50 bytes, so 0x272.. stays erased.
    const QByteArray memory = radio.stopAndReadMemory();
    QCOMPARE(memory.mid(0x200, 64).toHex().toUpper(), block0.toLatin1());
    QCOMPARE(memory.mid(0x240, 50).toHex().toUpper(), block1.toLatin1());
    QCOMPARE(memory.mid(0x272, 14), QByteArray(14, char(0xFF)));
}

void WindowEndToEndTest::settingsWriteThenReadRoundTrips()
{
    testing::EmulatorWindow rig({}, 2);
    QVERIFY2(rig.started, qPrintable(rig.error));
    MainWindow &window = *rig.window;
    MessageCapture &capture = rig.capture;
    n35emu::EmulatorSession &radio = rig.radio;
    window.switchPage(4);
    auto click = [&](const char *name) { window.findChild<QAbstractButton *>(QLatin1String(name))->click(); };

    SetModeSettings &settings = window.cloneImage().settings;
    DtmfMemories &dtmf = window.cloneImage().dtmf;
    settings.setIndex({OptionGroup::Key, 7}, 1);   // Lamp key: Illumination, 0x15
    settings.setIndex({OptionGroup::Power, 0}, 6); // Auto-power-off 8 hrs.
    settings.setIndex(SetModeSettings::LanguageOption, 0);
    settings.setIndex(SetModeSettings::WriteProtectOption, 1);
    dtmf.setMemory(0, QStringLiteral("0123456789ABCD*#"));
    dtmf.setMemory(7, QStringLiteral("1-2"));
    dtmf.setDialChannel(8);
    click("Set_Mode_Write");
    const QString blocks =
        settings.MakeSettingData(0) + settings.MakeSettingData(1) + settings.MakeSettingData(2);
    const QString dtmfText = dtmf.MakeDtmfData();

    click("Set_Mode_Clear");
    QCOMPARE(settings.language(), Language::English);
    click("Set_Mode_Read");
    QCOMPARE(capture.messages.size(), 2);
    QCOMPARE(capture.messages.at(0).text, QStringLiteral("Setting data write successed."));
    QCOMPARE(capture.messages.at(1).text, QStringLiteral("Setting data read successed."));
    QCOMPARE(settings.language(), Language::Japanese);
    QCOMPARE(settings.index({OptionGroup::Power, 0}), 6);
    QCOMPARE(settings.writeProtect(), 1);
    QCOMPARE(dtmf.memory(7), QStringLiteral("1-2"));
    QCOMPARE(dtmf.dialChannel(), 8);

    // 150 settings bytes and the 165-byte DTMF region, nothing beyond either; the write-protect byte.
    const QByteArray after = radio.stopAndReadMemory();
    QCOMPARE(after.mid(0, 150).toHex().toUpper(), blocks.toLatin1());
    QCOMPARE(after.mid(150, 42), QByteArray(42, char(0xFF)));
    QCOMPARE(after.mid(0xA00, 165).toHex().toUpper(), dtmfText.toLatin1());
    QCOMPARE(quint8(after.at(0xAA5)), quint8(0xFF));
    QCOMPARE(quint8(after.at(0xFE01)), quint8(1));
    QCOMPARE(quint8(after.at(0x60)), quint8(0x15));
}

void WindowEndToEndTest::oneTouchAndTitleRoundTrip()
{
    testing::EmulatorWindow rig({}, 3);
    QVERIFY2(rig.started, qPrintable(rig.error));
    MainWindow &window = *rig.window;
    MessageCapture &capture = rig.capture;
    n35emu::EmulatorSession &radio = rig.radio;
    window.switchPage(3);
    auto click = [&](const char *name) { window.findChild<QAbstractButton *>(QLatin1String(name))->click(); };

    OneTouchKeys &keys = window.cloneImage().oneTouch;
    OpeningTitle &title = window.cloneImage().title;
    keys.setDisabled(4, false);
    keys.setBank(4, 3);
    keys.setPosition(4, 99);
    keys.setDisabled(8, false);
    title.setText(QStringLiteral("HV-N35 \\\\ \\1"));
    title.setMotion(1);
    const QString keyData = keys.MakeOneTouchData();
    const QString titleData = title.MakeTitleData();
    click("WRITE_ONE_TOUCH");
    click("TITLE_WRITE");
    keys.reset();
    title.clear();
    click("READ_ONE_TOUCH");
    click("TITLE_READ");
    QStringList told;
    for (const CapturedMessage &message : capture.messages)
        told << message.text;
    QCOMPARE(told, (QStringList{QStringLiteral("One touch memory data write successed."),
                                QStringLiteral("Title string write successed."),
                                QStringLiteral("One touch memory data read successed."),
                                QStringLiteral("Title string read successed.")}));
    QCOMPARE(keys.MakeOneTouchData(), keyData);
    QCOMPARE(title.text().trimmed(), QStringLiteral("HV-N35 \\\\ \\1"));
    QCOMPARE(title.motion(), 1);

    // 27 bytes of keys, then erased memory up to the title; 34 bytes of title, the rest untouched.
    const QByteArray memory = radio.stopAndReadMemory();
    QCOMPARE(memory.mid(0x180, 27).toHex().toUpper(), keyData.toLatin1());
    QCOMPARE(memory.mid(0x180 + 27, 5), QByteArray(5, char(0xFF)));
    QCOMPARE(memory.mid(0x1A0, 34).toHex().toUpper(), titleData.toLatin1());
    QCOMPARE(memory.mid(0x1A0 + 34, 30), QByteArray(30, char(0xFF)));
}

void WindowEndToEndTest::glyphsWriteAllThenReadAllRoundTrip()
{
    testing::EmulatorWindow rig({}, 7);
    QVERIFY2(rig.started, qPrintable(rig.error));
    MainWindow &window = *rig.window;
    MessageCapture &capture = rig.capture;
    n35emu::EmulatorSession &radio = rig.radio;
    FontWindow font(window);
    auto click = [&](const char *name) { font.findChild<QAbstractButton *>(QLatin1String(name))->click(); };

    // Every glyph different, every bit position used somewhere.
    FontGlyphs &glyphs = window.cloneImage().glyphs;
    QString written;
    for (int glyph = 0; glyph < FontGlyphs::GlyphCount; ++glyph) {
        for (int i = glyph; i < 256; i += glyph + 2)
            glyphs.setPixel(glyph, i % 16, (i * 5 + glyph) % 16, true);
        written += glyphs.MakeFontData(glyph);
    }
    click("cmdFontAllWrite");
    click("ALL_CLEAR");
    click("cmdFontAllRead");
    QCOMPARE(capture.messages.size(), 2);
    for (const CapturedMessage &message : capture.messages)
        QCOMPARE(message.text + message.title, QStringLiteral("OKOK"));
    QString read;
    for (int glyph = 0; glyph < FontGlyphs::GlyphCount; ++glyph)
        read += glyphs.MakeFontData(glyph);
    QCOMPARE(read, written);
    const QByteArray memory = radio.stopAndReadMemory();
    QCOMPARE(memory.mid(0x900, 256).toHex().toUpper(), written.toLatin1());
    QCOMPARE(memory.mid(0x8FF, 1) + memory.mid(0xA00, 1), QByteArray("\xFF\x01")); // nothing outside
}

void WindowEndToEndTest::bankLinkWriteThenReadRoundTrips()
{
    testing::EmulatorWindow rig({}, 8);
    QVERIFY2(rig.started, qPrintable(rig.error));
    MainWindow &window = *rig.window;
    MessageCapture &capture = rig.capture;
    n35emu::EmulatorSession &radio = rig.radio;
    window.switchPage(2);

    // Every bank holds channels, so no link is dropped; each group links its own pattern of banks.
    BankPartition::Counts counts{};
    counts.fill(10);
    window.cloneImage().banks.setCounts(counts);
    BankLinks &links = window.cloneImage().bankLinks;
    for (int group = 0; group < BankLinks::GroupCount; ++group) {
        for (int bank = group; bank < BankLinks::BankCount; bank += group + 2)
            links.setLinked(group, bank, true);
    }
    links.setLinked(10, 49, true);
    const QString written = links.MakeBankLink();

    // The bank page's "Bank_Link" opens the window modally; its buttons are clicked from inside.
    QTimer::singleShot(0, [&] {
        QWidget *dialog = QApplication::activeModalWidget();
        if (!dialog)
            return;
        auto click = [&](const char *name) {
            dialog->findChild<QAbstractButton *>(QLatin1String(name))->click();
        };
        click("GROUP_WRITE");
        links.clear();
        click("GROUP_READ");
        click("cmdOK");
    });
    window.findChild<QAbstractButton *>(QStringLiteral("GROUP_SET"))->click();
    QStringList told;
    for (const CapturedMessage &message : capture.messages)
        told << message.text;
    QCOMPARE(told, (QStringList{QStringLiteral("Group data write successed."),
                                QStringLiteral("Group data read successed.")}));
    QCOMPARE(links.MakeBankLink(), written);

    // Groups 0-7 fill 0x100..0x13F; groups 8-10 are 24 bytes at 0x140, the rest of that block erased.
    const QByteArray memory = radio.stopAndReadMemory();
    QCOMPARE(memory.mid(0x100, 64).toHex().toUpper(), written.left(128).toLatin1());
    QCOMPARE(memory.mid(0x140, 24).toHex().toUpper(), written.mid(128).toLatin1());
    QCOMPARE(memory.mid(0x158, 40), QByteArray(40, char(0xFF)));
}

QTEST_MAIN(WindowEndToEndTest)
#include "test_window_e2e.moc"
