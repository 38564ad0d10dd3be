// The window through the real serial path, there and back: the COMPort menu's number bound to the
// emulator's pty. "Write All Data" and "Read All Data" with everything the program holds for a radio, the
// clone image file of what was read and the backup of a write; then each region's own write and read
// buttons and where the region lands in the radio's memory. The messages of every command are pinned by
// test_faultmatrix.cpp.

#include "emulator/emulatorsession.h"
#include "emulator/radiocore.h"
#include "files/backup.h"
#include "files/imagefile.h"
#include "link/address.h"
#include "model/banks.h"
#include "model/dtmf.h"
#include "model/onetouch.h"
#include "model/settings.h"
#include "model/title.h"
#include "support/channelfixtures.h"
#include "support/emulatorwindow.h"
#include "ui/backupcommands.h"
#include "ui/filecommands.h"
#include "ui/fontwindow.h"
#include "ui/mainwindow.h"
#include "ui/memorypage.h"
#include "ui/messages.h"

#include <QAbstractButton>
#include <QAction>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace n35;

namespace
{

// A window on a page, bound to an emulator of its own.
struct Rig : testing::EmulatorWindow {
    Rig(int port, int page) : EmulatorWindow({}, port) { window->switchPage(page); }
    QStringList told() const
    {
        QStringList texts;
        for (const CapturedMessage &message : capture.messages)
            texts << message.text;
        return texts;
    }
};

// Bytes of the radio's memory as upper-case hex, to compare with what the codecs make.
QString Hex(const QByteArray &memory, int address, int size)
{
    return QString::fromLatin1(memory.mid(address, size).toHex().toUpper());
}

QString Erased(int size)
{
    return QString(2 * size, QLatin1Char('F'));
}

} // namespace

class WindowEndToEndTest : public QObject
{
    Q_OBJECT

private slots:
    void writeAllReadAllSaveAndLoad()
    {
        QTemporaryDir dir;
        // A new radio, as the emulator makes it: factory settings and the default bank partition.
        const n35emu::RadioCore newRadio;
        const QByteArray factory(reinterpret_cast<const char *>(newRadio.memory().data()),
                                 static_cast<qsizetype>(newRadio.memory().size()));
        n35emu::EmulatorSession radio({}, 9);
        QString error;
        QVERIFY2(radio.start(&error), qPrintable(error));
        MessageCapture capture;
        int windows = 0; // each with a settings file of its own: the writer's "no backup" is its alone
        auto openWindow = [&] {
            const QString settings = dir.filePath(QStringLiteral("window%1.INI").arg(++windows));
            auto window = std::make_unique<MainWindow>(nullptr, settings);
            window->session().portResolver().setLinkDirectory(radio.linkDirectory());
            window->session().portResolver().setSystemDevices({});
            window->MenuSetCom_Click(9);
            window->session().setBackupFolder(dir.filePath(QStringLiteral("backups")));
            return window;
        };
        auto snapshot = [&](MainWindow &window) {
            return testing::ImageSnapshot(window.session().image(),
                                          dir.filePath(QStringLiteral("snapshot.N35")));
        };
        auto trigger = [](MainWindow &window, const char *action) {
            window.findChild<QAction *>(QLatin1String(action))->trigger();
        };

        // A new radio holds the default bank partition: it reads whole, without "Bank Total Error.", and
        // so it can be backed up before the first write.
        auto fresh = openWindow();
        trigger(*fresh, "ALL_READ");
        QCOMPARE(capture.messages.size(), 1);
        QCOMPARE(capture.messages.first().text, QStringLiteral("ALL read successed."));
        QVERIFY(fresh->session().image().banks.counts() == BankPartition::DefaultCounts());
        capture.messages.clear();

        // Written with a backup of the radio as it was.
        auto writer = openWindow();
        QVERIFY(writer->session().settings().backupBeforeWriting);
        testing::VaryImage(writer->session().image());
        trigger(*writer, "ALL_WRITE");
        QCOMPARE(capture.messages.last().text, QStringLiteral("ALL write successed."));
        const QString firstBackup = capture.messages.takeLast().informative.section(QLatin1Char('\n'), 1);
        const QByteArray written = snapshot(*writer);

        // An erased radio's backup opens with the place that does not decode; the window keeps its image.
        RadioBackup erased{
            QStringLiteral("HVN35Writer"), QDateTime::currentDateTime(), QStringLiteral("COM9"), {}};
        for (const int address : BackupBlockAddresses())
            erased.blocks.append({address, QByteArray(64, '\xFF')});
        const QString erasedBackup = dir.filePath(QStringLiteral("erased.n35bak"));
        QVERIFY(SaveBackupFile(erasedBackup, erased));
        OpenImageCommand(writer->session(), writer.get(), erasedBackup);
        const CapturedMessage refused = capture.messages.takeLast();
        QCOMPARE(refused.text,
                 QStringLiteral(
                     "This backup cannot be shown: part of it does not decode. It can still be restored."));
        QVERIFY2(refused.detail.contains(QStringLiteral("settings byte 44"), Qt::CaseInsensitive),
                 qPrintable(refused.detail));
        QCOMPARE(snapshot(*writer), written);
        auto reader = openWindow();
        trigger(*reader, "ALL_READ");
        QCOMPARE(capture.messages.size(), 1);
        QCOMPARE(capture.messages.last().text, QStringLiteral("ALL read successed."));
        QCOMPARE(snapshot(*reader), written);

        // "Save", then "Open" in a third window: the same image again.
        const QString saved = dir.filePath(QStringLiteral("saved.N35"));
        SaveImageCommand(reader->session(), reader.get(), saved);
        auto loader = openWindow();
        OpenImageCommand(loader->session(), loader.get(), saved);
        QCOMPARE(capture.messages.last().text, QStringLiteral("Read File"));
        QCOMPARE(snapshot(*loader), written);

        // "Verify": the radio matches the image read from it; after an edit it differs in that channel.
        capture.messages.clear();
        trigger(*reader, "Verify");
        reader->session().image().channels.setCell(17, ColName, QStringLiteral("EDITED"));
        trigger(*reader, "Verify");
        QCOMPARE(capture.messages.at(0).text, QStringLiteral("Radio matches."));
        QCOMPARE(capture.messages.at(1).text,
                 QStringLiteral("The radio differs from the window in 1 place(s)."));
        // The window's value first, the radio's second, as the first line says and the command line does.
        const QStringList details = capture.messages.at(1).detail.split(QLatin1Char('\n'));
        QCOMPARE(details.size(), 2);
        QCOMPARE(details.at(0),
                 QStringLiteral("Each line: where, then the window's value -> the radio's value."));
        QVERIFY2(details.at(1).startsWith(QStringLiteral("channels, channel 17 (Bank00-016): ")) &&
                     details.at(1).contains(QStringLiteral(" EDITED -> ")),
                 qPrintable(details.at(1)));

        // With the backup on, the radio's contents before the write land in a file that loads back to them.
        capture.messages.clear();
        QVERIFY(reader->session().settings().backupBeforeWriting);
        trigger(*reader, "ALL_WRITE");
        QCOMPARE(capture.messages.last().text, QStringLiteral("ALL write successed."));
        const QString backup = capture.messages.last().informative.section(QLatin1Char('\n'), 1);
        QVERIFY2(QFile::exists(backup), qPrintable(backup));
        auto restored = openWindow();
        OpenImageCommand(restored->session(), restored.get(), backup);
        QCOMPARE(capture.messages.last().text, QStringLiteral("Read File"));
        QCOMPARE(snapshot(*restored), written);

        // "Restore Backup..." puts the radio back as it was before that write, and before the first one.
        capture.messages.clear();
        RestoreBackupCommand(restored->session(), restored.get(), backup);
        QCOMPARE(capture.messages.last().text, QStringLiteral("The backup was restored."));
        trigger(*restored, "Verify");
        QCOMPARE(capture.messages.last().text, QStringLiteral("Radio matches."));
        RestoreBackupCommand(restored->session(), restored.get(), firstBackup);
        QCOMPARE(capture.messages.last().text, QStringLiteral("The backup was restored."));
        QVERIFY(radio.stopAndReadMemory() == factory);
    }

    // The reset goes out unanswered and tells nothing; the radio serves the next transfer as before, a
    // selection made from the bottom up included.
    void resetThenReadSelection()
    {
        Rig rig(4, 1);
        QVERIFY2(rig.started, qPrintable(rig.error));
        testing::FillVariedChannels(rig.image().channels, 853, 900);
        rig.click("cmdZQRESET");
        QCOMPARE(rig.told(), QStringList());
        rig.window->memoryPage()->selectChannels(900, 853);
        rig.click("MEM_ONE_READ");
        QCOMPARE(rig.told(), QStringList{QStringLiteral("Memory data read successed.")});
        QVERIFY(!rig.window->session().isBusy());
        for (int channel = 853; channel <= 900; ++channel) // an erased radio: every row read as empty
            QVERIFY(rig.image().channels.cell(channel, ColFrequency).isEmpty());
    }

    void bankWriteThenBankRead()
    {
        Rig rig(6, 2);
        QVERIFY2(rig.started, qPrintable(rig.error));
        BankPartition &banks = rig.image().banks;
        BankPartition::Counts counts{};
        counts[0] = 1;
        counts[31] = 258; // 0x0102, so a swapped byte order would show
        counts[32] = 200;
        counts[49] = 41;
        banks.setCounts(counts);
        const QString block0 = EncodeBankBlock(banks, 0);
        const QString block1 = EncodeBankBlock(banks, 1);
        rig.click("WRITE_BANK");
        banks.reset();
        rig.click("READ_BANK");
        QCOMPARE(rig.told(), (QStringList{"Bank partition data write successed.",
                                          "Bank partition data read successed."}));
        QVERIFY(banks.counts() == counts);
        QCOMPARE(rig.image().channels.label(500), QStringLiteral("Bank49-040"));

        // Block 0 fills 0x200..0x23F; block 1 is written as 50 bytes, so 0x272.. stays erased.
        const QByteArray memory = rig.radio.stopAndReadMemory();
        QCOMPARE(Hex(memory, 0x200, 64), block0);
        QCOMPARE(Hex(memory, 0x240, 50), block1);
        QCOMPARE(Hex(memory, 0x272, 14), Erased(14));
    }

    void settingsWriteThenRead()
    {
        Rig rig(2, 4);
        QVERIFY2(rig.started, qPrintable(rig.error));
        SetModeSettings &settings = rig.image().settings;
        DtmfMemories &dtmf = rig.image().dtmf;
        settings.setIndex({OptionGroup::Key, 7}, 1);   // Lamp key: Illumination, 0x15
        settings.setIndex({OptionGroup::Power, 0}, 6); // Auto-power-off 8 hrs.
        settings.setIndex(SetModeSettings::LanguageOption, 0);
        settings.setIndex(SetModeSettings::WriteProtectOption, 1);
        dtmf.setMemory(0, QStringLiteral("0123456789ABCD*#"));
        dtmf.setMemory(7, QStringLiteral("1-2"));
        dtmf.setDialChannel(8);
        rig.click("Set_Mode_Write");
        const QString blocks =
            settings.MakeSettingData(0) + settings.MakeSettingData(1) + settings.MakeSettingData(2);
        const QString dtmfText = dtmf.MakeDtmfData();
        rig.click("Set_Mode_Clear");
        QCOMPARE(settings.language(), Language::English);
        rig.click("Set_Mode_Read");
        QCOMPARE(rig.told(), (QStringList{"Setting data write successed.", "Setting data read successed."}));
        QCOMPARE(settings.language(), Language::Japanese);
        QCOMPARE(settings.index({OptionGroup::Power, 0}), 6);
        QCOMPARE(settings.writeProtect(), 1);
        QCOMPARE(dtmf.memory(7), QStringLiteral("1-2"));
        QCOMPARE(dtmf.dialChannel(), 8);

        // 150 settings bytes and the 165-byte DTMF region, nothing beyond either; the write-protect byte.
        const QByteArray memory = rig.radio.stopAndReadMemory();
        QCOMPARE(Hex(memory, 0, 150), blocks);
        QCOMPARE(Hex(memory, 150, 42), Erased(42));
        QCOMPARE(Hex(memory, 0xA00, 165), dtmfText);
        QCOMPARE(Hex(memory, 0xAA5, 1) + Hex(memory, 0xFE01, 1) + Hex(memory, 0x60, 1),
                 QStringLiteral("FF0115"));
    }

    void oneTouchAndTitleWriteThenRead()
    {
        Rig rig(3, 3);
        QVERIFY2(rig.started, qPrintable(rig.error));
        OneTouchKeys &keys = rig.image().oneTouch;
        OpeningTitle &title = rig.image().title;
        keys.setDisabled(4, false);
        keys.setBank(4, 3);
        keys.setPosition(4, 99);
        keys.setDisabled(8, false);
        title.setText(QStringLiteral("HV-N35 \\\\ \\1"));
        title.setMotion(1);
        const QString keyData = keys.MakeOneTouchData();
        const QString titleData = title.encode();
        rig.click("WRITE_ONE_TOUCH");
        rig.click("TITLE_WRITE");
        keys.reset();
        title.reset();
        rig.click("READ_ONE_TOUCH");
        rig.click("TITLE_READ");
        QCOMPARE(rig.told(),
                 (QStringList{"One touch memory data write successed.", "Title string write successed.",
                              "One touch memory data read successed.", "Title string read successed."}));
        QCOMPARE(keys.MakeOneTouchData(), keyData);
        QCOMPARE(title.text().trimmed(), QStringLiteral("HV-N35 \\\\ \\1"));
        QCOMPARE(title.motion(), 1);

        // 27 bytes of keys, then erased memory up to the title; 34 bytes of title, the rest untouched.
        const QByteArray memory = rig.radio.stopAndReadMemory();
        QCOMPARE(Hex(memory, 0x180, 27), keyData);
        QCOMPARE(Hex(memory, 0x180 + 27, 5), Erased(5));
        QCOMPARE(Hex(memory, 0x1A0, 34), titleData);
        QCOMPARE(Hex(memory, 0x1A0 + 34, 30), Erased(30));
    }

    void glyphsWriteAllThenReadAll()
    {
        Rig rig(7, 1);
        QVERIFY2(rig.started, qPrintable(rig.error));
        FontWindow font(rig.window->session(), rig.window.get());
        auto click = [&](const char *name) {
            font.findChild<QAbstractButton *>(QLatin1String(name))->click();
        };
        // Every glyph different, every bit position used somewhere.
        FontGlyphs &glyphs = rig.image().glyphs;
        auto all = [&] {
            QString hex;
            for (int glyph = 0; glyph < FontGlyphs::GlyphCount; ++glyph)
                hex += glyphs.MakeFontData(glyph);
            return hex;
        };
        for (int glyph = 0; glyph < FontGlyphs::GlyphCount; ++glyph) {
            for (int i = glyph; i < 256; i += glyph + 2)
                glyphs.setPixel(glyph, i % 16, (i * 5 + glyph) % 16, true);
        }
        const QString written = all();
        click("cmdFontAllWrite");
        click("ALL_CLEAR");
        QVERIFY(all() != written);
        click("cmdFontAllRead");
        QCOMPARE(rig.told(), (QStringList{"OK", "OK"}));
        QCOMPARE(all(), written);
        const QByteArray memory = rig.radio.stopAndReadMemory();
        QCOMPARE(Hex(memory, 0x900, 256), written);
        QCOMPARE(Hex(memory, 0x8FF, 1) + Hex(memory, 0xA00, 1), QStringLiteral("FF01")); // nothing outside
    }

    void bankLinkWriteThenRead()
    {
        Rig rig(8, 2);
        QVERIFY2(rig.started, qPrintable(rig.error));
        // Every bank holds channels, so no link is dropped; each group links its own pattern of banks.
        BankPartition::Counts counts{};
        counts.fill(10);
        rig.image().banks.setCounts(counts);
        BankLinks &links = rig.image().bankLinks;
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
            links.reset();
            click("GROUP_READ");
            click("cmdOK");
        });
        rig.click("GROUP_SET");
        QCOMPARE(rig.told(), (QStringList{"Group data write successed.", "Group data read successed."}));
        QCOMPARE(links.MakeBankLink(), written);

        // Groups 0-7 fill 0x100..0x13F; groups 8-10 are 24 bytes at 0x140, the rest of that block erased.
        const QByteArray memory = rig.radio.stopAndReadMemory();
        QCOMPARE(Hex(memory, 0x100, 64), written.left(128));
        QCOMPARE(Hex(memory, 0x140, 24), written.mid(128));
        QCOMPARE(Hex(memory, 0x158, 40), Erased(40));
    }
};

QTEST_MAIN(WindowEndToEndTest)
#include "test_window_e2e.moc"
