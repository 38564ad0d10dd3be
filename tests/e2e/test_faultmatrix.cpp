// Every radio command of the window against the emulator in every fault mode, and against radios that
// fall silent part-way: the message the user gets, the window unlocked and the port closed, how many
// commands went out and how long it took, and what became of the window's image.

#include "emulator/emulatorsession.h"
#include "emulator/radiocore.h"
#include "files/imagefile.h"
#include "link/address.h"
#include "link/progress.h"
#include "link/radiolink.h"
#include "link/radiomemory.h"
#include "link/wholeradio.h"
#include "model/imagediff.h"
#include "session/radiobackups.h"
#include "support/channelfixtures.h"
#include "support/emulatorwindow.h"
#include "support/fakeradioport.h"
#include "ui/backupcommands.h"
#include "ui/banklinkwindow.h"
#include "ui/fontwindow.h"
#include "ui/mainwindow.h"
#include "ui/memorypage.h"
#include "ui/messages.h"

#include <QAbstractButton>
#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <algorithm>
#include <map>
#include <memory>
#include <random>
#include <vector>

using namespace n35;
using namespace Qt::StringLiterals;

namespace
{

// Short, so that a silent radio costs little; every wait is bounded by a multiple of it.
constexpr int TimeoutMs = 150;
// The selection of the "selected memory" commands: the CALL channels and the first pass channels, so
// the write sends the pass index too.
constexpr int SelectionFirst = 850;
constexpr int SelectionLast = 860;

enum class Host { Menu, Window, Links, Font }; // Links, Font: the bank-link window, the glyph editor
// Compare: reads the radio into a copy and compares, so the window's image never changes.
enum class Kind { Read, Write, Compare, Reset };
using enum Host;
using enum Kind;

struct Command {
    const char *row; // the row's name: the button's or menu item's object name, and what sets it apart
    Host host;
    int page; // the page the button lives on, 0 for none
    Kind kind;
    const char *done;    // "text|title" of success; none for the reset
    const char *failed;  // what a radio that does not identify itself brings; none for the reset
    int sent;            // commands a radio that answers everything gets
    bool backup = false; // "Write All Data" reads the radio into a backup file first

    QString object() const { return QString::fromLatin1(row).section(u'+', 0, 0); }
};

// Commands sent by a whole read: identification, 2 bank blocks, keys, title, 7 settings reads, 8 glyphs,
// 2 bank-link blocks, then the channels' own identification and 952 records.
constexpr int WholeRead = 1 + 2 + 1 + 1 + 7 + 8 + 2 + 1 + ChannelCount;
// A whole write: the settings write reads its three blocks first; the channels end with 13 index blocks.
constexpr int WholeWrite = 1 + 2 + 1 + 1 + (3 + 7) + 8 + 2 + 1 + ChannelCount + 13;
constexpr int Selection = SelectionLast - SelectionFirst + 1;
constexpr int Index = 13; // the pass index's blocks

// The glyph editor and the bank-link window say "Error" for every failure of their own, a radio that does
// not identify itself included; the pages and the menu name the identification.
constexpr const char *Negotiation = "Negotiation Error.| NG";
constexpr const char *LinkError = "Error| Error";
constexpr const char *NoBackup = "The radio could not be backed up. Nothing was written.| Error";
constexpr const char *FontOk = "OK|OK";
constexpr const char *FontError = "Error| Error";

// clang-format off
const Command Commands[] = {
    {"ALL_READ", Menu, 0, Read, "ALL read successed.| Finish", Negotiation, WholeRead},
    {"ALL_WRITE", Menu, 0, Write, "ALL write successed.| Finish", Negotiation, WholeWrite},
    // Its count is the backup's read and what differs: counted in-process in initTestCase.
    {"ALL_WRITE+backup", Menu, 0, Write, "ALL write successed.| Finish", NoBackup, -1, true},
    {"Verify", Menu, 0, Compare, nullptr, Negotiation, WholeRead},
    {"MemAllRead", Window, 1, Read, "ALL memory data read successed.| Finish", Negotiation, 1 + ChannelCount},
    {"MemAllWrite", Window, 1, Write, "All memory data write successed.| Finish", Negotiation,
     1 + ChannelCount + Index},
    {"MEM_ONE_READ", Window, 1, Read, "Memory data read successed.| Finish", Negotiation, 1 + Selection},
    {"MEM_ONE_WRITE", Window, 1, Write, "Memory data write successed.| Finish", Negotiation,
     1 + Selection + Index},
    {"READ_BANK", Window, 2, Read, "Bank partition data read successed.| Finish", Negotiation, 3},
    {"WRITE_BANK", Window, 2, Write, "Bank partition data write successed.| Finish", Negotiation, 3},
    {"READ_ONE_TOUCH", Window, 3, Read, "One touch memory data read successed.| Finish", Negotiation, 2},
    {"WRITE_ONE_TOUCH", Window, 3, Write, "One touch memory data write successed.| Finish", Negotiation,
     2},
    {"TITLE_READ", Window, 3, Read, "Title string read successed.| Finish", Negotiation, 2},
    {"TITLE_WRITE", Window, 3, Write, "Title string write successed.| Finish", Negotiation, 2},
    {"SETTING_READ", Window, 3, Read, "Setting data read successed.| Finish", Negotiation, 8},
    {"SETTING_WRITE", Window, 3, Write, "Setting data write successed.| Finish", Negotiation, 11},
    {"Set_Mode_Read", Window, 4, Read, "Setting data read successed.| Finish", Negotiation, 8},
    {"Set_Mode_Write", Window, 4, Write, "Setting data write successed.| Finish", Negotiation, 11},
    {"cmdZQRESET", Window, 0, Reset, nullptr, nullptr, 1},
    {"GROUP_READ", Links, 0, Read, "Group data read successed.| Finish", LinkError, 3},
    {"GROUP_WRITE", Links, 0, Write, "Group data write successed.| Finish", LinkError, 3},
    {"cmdFont_1_read", Font, 0, Read, FontOk, FontError, 2},
    {"cmdFont_1_write", Font, 0, Write, FontOk, FontError, 2},
    {"cmdFontAllRead", Font, 0, Read, FontOk, FontError, 9},
    {"cmdFontAllWrite", Font, 0, Write, FontOk, FontError, 9},
};
// clang-format on

const Command &Find(const QString &row)
{
    for (const Command &command : Commands) {
        if (row == QLatin1String(command.row))
            return command;
    }
    qFatal("no command %s", qPrintable(row));
    return Commands[0];
}

QStringList Texts(const char *told)
{
    return told ? QStringList{QString::fromUtf8(told)} : QStringList{};
}

// What becomes of the window's image.
enum class Image {
    Unchanged, // byte for byte
    FromRadio, // as the same command leaves it against a radio without faults
    NoEdits,   // nothing the user can see or edit changed (a settings write reads its blocks again)
    Partly,    // the listed places as the radio holds them, everything else as before
};

// A radio different from a fresh window's image in every region. Banks 0, 3 and 4 hold channels both
// here and in the default partition, so keys and links survive reading into either.
void Vary(CloneImage &image)
{
    BankPartition::Counts counts{};
    counts[0] = 120;
    counts[3] = 300;
    counts[4] = 80;
    image.banks.setCounts(counts);
    testing::FillVariedChannels(image.channels, 1, ChannelCount);
    image.oneTouch.setDisabled(1, false);
    image.oneTouch.setBank(1, 3);
    image.oneTouch.setPosition(1, 42);
    image.title.setText(u"\\2 FAULTS \\\\"_s);
    image.title.setMotion(1);
    image.dtmf.setMemory(4, u"*12#"_s);
    image.settings.setIndex(SetModeSettings::LanguageOption, 0);
    image.settings.setIndex({OptionGroup::Key, 6}, 44);
    image.settings.setIndex(SetModeSettings::WriteProtectOption, 2);
    for (int glyph = 0; glyph < FontGlyphs::GlyphCount; ++glyph)
        image.glyphs.setRectangle(glyph, glyph, 0, 15, glyph, true);
    image.bankLinks.setLinked(0, 3, true);
    image.bankLinks.setLinked(10, 4, true);
    image.bankLinks.setLinked(2, 0, true);
}

// A copy of an image through its file (the image itself cannot be copied).
std::unique_ptr<CloneImage> Load(const QString &path)
{
    auto image = std::make_unique<CloneImage>();
    if (!LoadImageFile(path, *image))
        return nullptr;
    return image;
}

// "region" or "region/place": matches a difference in that region, or at that place ("channels/channel
// 3" is channel 3 whatever its label).
bool Matches(const QStringList &places, const ImageDifference &difference)
{
    for (const QString &place : places) {
        const QString region = place.section(u'/', 0, 0);
        const QString where = place.section(u'/', 1);
        if (difference.region == region &&
            (where.isEmpty() || difference.where == where || difference.where.startsWith(where + u' ')))
            return true;
    }
    return false;
}

QStringList Places(const char *region, const char *what, int first, int last)
{
    QStringList places;
    for (int n = first; n <= last; ++n)
        places << QStringLiteral("%1/%2 %3").arg(QLatin1String(region), QLatin1String(what)).arg(n);
    return places;
}

// Which of a fault's emulators a command talks to: reads and comparisons to one never written; writes
// with a backup to one of their own, so the backup must hold what the reads see; other writes and the
// reset to a third.
QString Role(const Command &command)
{
    if (command.kind == Kind::Read || command.kind == Kind::Compare)
        return u"read"_s;
    return command.backup ? u"backup"_s : u"write"_s;
}

// A main window bound as COM1 to an emulator's link, ready to run one command.
struct Rig {
    Rig(const n35emu::EmulatorSession &radio, const QString &settingsPath, const Command &what)
        : command(what)
    {
        window = std::make_unique<MainWindow>(nullptr, settingsPath);
        window->session().portResolver().setLinkDirectory(radio.linkDirectory());
        window->session().portResolver().setSystemDevices({});
        window->MenuSetCom_Click(1);
        window->session().link().setTimeoutMs(TimeoutMs);
        window->session().setBackupBeforeWriting(command.backup);
        window->session().setBackupFolder(QFileInfo(settingsPath).dir().filePath(u"backups"_s));
        if (command.page != 0)
            window->switchPage(command.page);
        window->memoryPage()->selectChannels(SelectionFirst, SelectionLast);
        // The windows of their own are opened before the image is looked at: opening one may drop links.
        if (command.host == Host::Links)
            links = std::make_unique<BankLinkWindow>(window->session(), window.get());
        if (command.host == Host::Font)
            font = std::make_unique<FontWindow>(window->session(), window.get());
    }

    QObject *control() const
    {
        const QObject *host = command.host == Host::Links  ? static_cast<QObject *>(links.get())
                              : command.host == Host::Font ? static_cast<QObject *>(font.get())
                                                           : window.get();
        return command.host == Host::Menu
                   ? static_cast<QObject *>(host->findChild<QAction *>(command.object()))
                   : host->findChild<QAbstractButton *>(command.object());
    }
    bool controlEnabled() const { return control() && control()->property("enabled").toBool(); }
    // A menu item is triggered, a button clicked.
    void run() const
    {
        QMetaObject::invokeMethod(control(), command.host == Host::Menu ? "trigger" : "click");
    }

    const Command &command;
    std::unique_ptr<MainWindow> window;
    std::unique_ptr<BankLinkWindow> links;
    std::unique_ptr<FontWindow> font;
};

QStringList Told(const MessageCapture &capture)
{
    QStringList lines;
    for (const CapturedMessage &message : capture.messages)
        lines << message.text + u'|' + message.title;
    return lines;
}

} // namespace

class FaultMatrixTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(dir.isValid());
        // The radio's memory: a varied image written in-process to a radio with sane settings.
        n35emu::RadioCore core;
        testing::PrimeSettings(core);
        FakeRadioPort port;
        port.setResponder([&](const QByteArray &written) { return testing::Answer(core, written); });
        RadioLink link(port);
        CloneImage varied;
        Vary(varied);
        NoProgress progress;
        const TransferOutcome written = WriteAllData(link, varied, progress);
        QVERIFY2(written.ok, qPrintable(written.message.text + u' ' + written.message.detail));
        // Bytes the program keeps as read and writes back (settings bytes 1 and 71), unlike a fresh window's:
        // a settings block taken in before a read failed would show in the image.
        core.memory()[1] = 0x5A;
        core.memory()[71] = 0xC3;
        radioFile = path(u"radio.bin"_s);
        QFile file(radioFile);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(
            file.write(reinterpret_cast<const char *>(core.memory().data()), qint64(core.memory().size())),
            qint64(n35emu::RadioCore::memorySize));
        file.close();

        // What the write after a backup sends from a fresh window to this radio: the backup's read, the
        // identifications and the blocks that differ.
        {
            n35emu::RadioCore counted;
            counted.memory() = core.memory();
            FakeRadioPort countedPort;
            countedPort.setResponder(
                [&](const QByteArray &written) { return testing::Answer(counted, written); });
            RadioLink countedLink(countedPort);
            CloneImage fresh;
            const WriteReport report =
                WriteImage(countedLink, fresh, progress, {true, false, path(u"counted"_s), {}});
            QVERIFY(report.outcome.ok);
            backedUpWriteSent = int(countedLink.traffic().commands);
            QVERIFY(backedUpWriteSent < WholeRead + 13 + WholeWrite);
        }
        // A backup of another radio, for the restores: random bytes in every place.
        RadioBackup other{u"HVN35Writer"_s, QDateTime::currentDateTime(), u"COM1"_s, {}};
        std::mt19937 random(20);
        for (const int address : BackupBlockAddresses()) {
            QByteArray bytes(64, '\0');
            for (char &byte : bytes)
                byte = char(random());
            other.blocks.append({address, bytes});
        }
        otherBackup = path(u"other.n35bak"_s);
        QVERIFY(SaveBackupFile(otherBackup, other));

        // Everything a whole read brings from it: where partial reads must agree with the radio.
        reference(Find(u"ALL_READ"_s));
        radioImage = Load(path(u"reference-ALL_READ.N35"_s));
        QVERIFY(radioImage);
    }

    void matrix_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<int>("stopAfter");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QStringList>("told");
        QTest::addColumn<int>("sent");
        QTest::addColumn<int>("imageExpectation");
        QTest::addColumn<QStringList>("kept");

        // "Verify" of a fresh window against the radio finds every place the radio's image fills.
        const CloneImage fresh;
        const QString differ = QStringLiteral("The radio differs from the window in %1 place(s).| Finish")
                                   .arg(radioImage ? CompareImages(fresh, *radioImage).size() : 0);
        // Silent, echo-only and no-echo radios give ExchangeCommand nothing it can take for a reply (the
        // reply without the echo is shorter than the echo would be), so the identification times out; a
        // short radio answers "O". Either way nothing follows the identification. Lower-case hex is read
        // like upper-case.
        for (const char *fault : {"none", "silent", "no-echo", "echo-only", "short", "lower-hex"}) {
            const bool identifies = qstrcmp(fault, "none") == 0 || qstrcmp(fault, "lower-hex") == 0;
            for (const Command &command : Commands) {
                Image image = Image::Unchanged;
                if (identifies && command.kind == Kind::Read)
                    image = Image::FromRadio;
                else if (identifies && command.kind == Kind::Write)
                    image = Image::NoEdits;
                QStringList told = Texts(identifies ? command.done : command.failed);
                if (identifies && command.kind == Kind::Compare)
                    told = QStringList{differ};
                const int sent = command.backup ? backedUpWriteSent : command.sent;
                QTest::addRow("%s/%s", fault, command.row)
                    << QString::fromLatin1(fault) << -1 << QString::fromLatin1(command.row) << told
                    << (identifies ? sent : 1) << int(image) << QStringList{};
            }
        }

        // Radios that answer so many commands and then fall silent: the transfer ends at the first
        // unanswered command, with the message of the step it was in, and keeps what it had.
        const QStringList early{u"banks"_s, u"one-touch keys"_s, u"title"_s, u"settings"_s, u"DTMF"_s};
        struct Stop {
            const char *command;
            int after;
            const char *told;
            Image image;
            QStringList kept;
        };
        const Stop stops[] = {
            {"ALL_READ", 1, "Read Error.| NG", Image::Unchanged, {}},
            {"ALL_READ", 12, "Read font dataError.| NG", Image::Partly, early},
            {"ALL_READ", 22, "Negotiation Error.| NG", Image::Partly,
             early + QStringList{u"glyphs"_s, u"bank links"_s}},
            {"ALL_WRITE", 3, "Write OTM Error.| NG", Image::NoEdits, {}},
            {"ALL_WRITE+backup", 12, NoBackup, Image::Unchanged, {}},
            {"MemAllRead", 5, "Error| Error", Image::Partly, Places("channels", "channel", 1, 4)},
            {"MEM_ONE_WRITE", 1 + Selection, "Node data write failed.(0)| Error", Image::NoEdits, {}},
            {"READ_BANK", 2, "Error| Error", Image::Unchanged, {}},
            {"TITLE_READ", 1, "Title string read failed.| Error", Image::Unchanged, {}},
            {"SETTING_READ", 5, "Error| Error", Image::Partly, {u"settings"_s}},
            {"SETTING_READ", 2, "Error| Error", Image::Unchanged, {}},
            {"Set_Mode_Write", 2, "Error(sys1r)| Error", Image::Unchanged, {}},
            {"Set_Mode_Write", 4, "Error(sys1r)| Error", Image::NoEdits, {}},
            {"GROUP_READ", 2, "Error| Error", Image::Unchanged, {}},
            {"cmdFontAllRead", 4, "Error| Error", Image::Partly, Places("glyphs", "glyph", 1, 3)},
        };
        for (const Stop &stop : stops) {
            QTest::addRow("stop-after-%d/%s", stop.after, stop.command)
                << u"none"_s << stop.after << QString::fromLatin1(stop.command)
                << QStringList{QString::fromLatin1(stop.told)} << stop.after + 1 << int(stop.image)
                << stop.kept;
        }
    }
    void matrix()
    {
        QFETCH(QString, fault);
        QFETCH(int, stopAfter);
        QFETCH(QString, command);
        QFETCH(QStringList, told);
        QFETCH(int, sent);
        QFETCH(int, imageExpectation);
        const auto image = static_cast<Image>(imageExpectation);
        QFETCH(QStringList, kept);
        const Command &what = Find(command);

        // A radio that falls silent part-way counts from its first command, so it is started for the row.
        std::unique_ptr<n35emu::EmulatorSession> stopping;
        n35emu::EmulatorSession *emulator = nullptr;
        if (stopAfter >= 0) {
            stopping = std::make_unique<n35emu::EmulatorSession>(
                QStringList{u"--load"_s, radioFile, u"--stop-after"_s, QString::number(stopAfter)}, 1);
            QString error;
            QVERIFY2(stopping->start(&error), qPrintable(error));
            emulator = stopping.get();
        } else {
            emulator = radio(fault, what);
        }
        QVERIFY(emulator);
        const QByteArray expected = image == Image::FromRadio ? reference(what) : QByteArray();

        MessageCapture capture;
        Rig rig(*emulator, path(u"HVN35Writer.INI"_s), what);
        QVERIFY(capture.messages.isEmpty());
        QVERIFY(rig.controlEnabled());
        const QString beforePath = path(u"before.N35"_s);
        const QByteArray before = testing::ImageSnapshot(rig.window->session().image(), beforePath);
        const qint64 commandsBefore = rig.window->session().link().traffic().commands;

        QElapsedTimer clock;
        clock.start();
        rig.run();
        const qint64 elapsed = clock.elapsed();

        QCOMPARE(Told(capture), told);
        QVERIFY(!rig.window->session().isBusy());
        QVERIFY(rig.controlEnabled());
        QVERIFY(!rig.window->session().link().port().isOpen());
        QVERIFY(!rig.window->session().link().isBusy());
        QCOMPARE(rig.window->session().link().traffic().commands - commandsBefore, qint64(sent));
        // Each command waits at most one time-out; opening the pty and the windows' work come on top.
        const qint64 bound = 3LL * TimeoutMs * sent + 300;
        QVERIFY2(elapsed < bound, qPrintable(QStringLiteral("%1 ms, bound %2 ms").arg(elapsed).arg(bound)));

        // A backup is made of a radio read whole, and only then: it holds what the radio held.
        QDir backups(path(u"backups"_s));
        const QStringList made = backups.entryList(QDir::Files);
        const bool backedUp = what.backup && told == Texts(what.done);
        QCOMPARE(made.size(), backedUp ? 1 : 0);
        if (backedUp) {
            const QString file = backups.filePath(made.first());
            QVERIFY2(capture.messages.last().informative.endsWith(QDir::toNativeSeparators(file)),
                     qPrintable(capture.messages.last().informative));
            CloneImage held;
            QVERIFY(OpenBackupFile(file, held).ok() && QFile::remove(file));
            QCOMPARE(CompareImages(*radioImage, held).size(), std::size_t(0));
        }

        const QByteArray after = testing::ImageSnapshot(rig.window->session().image(), path(u"after.N35"_s));
        switch (image) {
        case Image::Unchanged:
            QVERIFY(after == before);
            break;
        case Image::FromRadio:
            QVERIFY(!expected.isEmpty());
            QVERIFY2(after != before, "the read brought nothing");
            QVERIFY(after == expected);
            break;
        case Image::NoEdits:
        case Image::Partly: {
            const std::unique_ptr<CloneImage> old = Load(beforePath);
            QVERIFY(old);
            QStringList wrong;
            for (const ImageDifference &difference : CompareImages(*old, rig.window->session().image())) {
                if (!Matches(kept, difference))
                    wrong << u"changed: "_s + difference.describe();
            }
            for (const ImageDifference &difference :
                 CompareImages(*radioImage, rig.window->session().image())) {
                if (Matches(kept, difference))
                    wrong << u"not as the radio holds it: "_s + difference.describe();
            }
            // Every kept place tells the radio's content from the window's, or the row proves nothing.
            const std::vector<ImageDifference> differ = CompareImages(*old, *radioImage);
            for (const QString &place : kept) {
                if (std::none_of(differ.begin(), differ.end(),
                                 [&](const ImageDifference &d) { return Matches({place}, d); }))
                    wrong << u"the radio holds what the window held: "_s + place;
            }
            QVERIFY2(wrong.isEmpty(), qPrintable(wrong.mid(0, 5).join(u'\n')));
            break;
        }
        }
    }
    // "Restore Backup..." after its file dialog, in every fault mode and against radios that fall silent
    // part-way: what the user is told, the window unlocked and the port closed, the commands sent.
    void restoreMatrix_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<int>("stopAfter");
        QTest::addColumn<QString>("told");
        QTest::addColumn<int>("sent");
        const int restore = 2 + int(WholeRadioWriteStretches().size());
        const int readBack = 2 + int(BackupBlockAddresses().size());
        for (const char *fault : {"none", "silent", "no-echo", "echo-only", "short", "lower-hex"}) {
            const bool identifies = qstrcmp(fault, "none") == 0 || qstrcmp(fault, "lower-hex") == 0;
            QTest::addRow("%s", fault) << QString::fromLatin1(fault) << -1
                                       << (identifies ? u"The backup was restored.| Finish"_s
                                                      : u"The backup was not restored.| Error"_s)
                                       << (identifies ? restore + readBack : 1);
        }
        QTest::addRow("stop-after-1") << u"none"_s << 1 << u"The backup was not restored.| Error"_s << 2;
        QTest::addRow("stop-after-%d", restore + 2)
            << u"none"_s << restore + 2
            << u"The backup was written, but reading the radio back failed.| Error"_s << restore + 3;
    }
    void restoreMatrix()
    {
        QFETCH(QString, fault);
        QFETCH(int, stopAfter);
        QFETCH(QString, told);
        QFETCH(int, sent);
        QStringList arguments{u"--load"_s, radioFile};
        if (fault != u"none"_s)
            arguments << u"--fault"_s << fault;
        if (stopAfter >= 0)
            arguments << u"--stop-after"_s << QString::number(stopAfter);
        n35emu::EmulatorSession emulator(arguments, 1);
        QString error;
        QVERIFY2(emulator.start(&error), qPrintable(error));
        MessageCapture capture;
        const Command &what = Find(u"ALL_WRITE"_s);
        Rig rig(emulator, path(u"HVN35Writer.INI"_s), what);
        QElapsedTimer clock;
        clock.start();
        RestoreBackupCommand(rig.window->session(), rig.window.get(), otherBackup);
        const qint64 elapsed = clock.elapsed();
        QCOMPARE(Told(capture).mid(1), QStringList{told}); // after the question
        QVERIFY(capture.messages.first().question);
        QVERIFY(!rig.window->session().isBusy());
        QVERIFY(!rig.window->session().link().port().isOpen());
        QCOMPARE(rig.window->session().link().traffic().commands, qint64(sent));
        const qint64 bound = 3LL * TimeoutMs * sent + 300;
        QVERIFY2(elapsed < bound, qPrintable(QStringLiteral("%1 ms, bound %2 ms").arg(elapsed).arg(bound)));
        if (told.startsWith(u"The backup was restored."_s)) {
            const QByteArray memory = emulator.stopAndReadMemory();
            const Result<RadioBackup> backup = LoadBackupFile(otherBackup);
            QVERIFY(backup);
            const RadioMemory expected = BackupMemory(*backup);
            for (const WriteStretch &stretch : WholeRadioWriteStretches())
                QVERIFY(memory.mid(stretch.address, stretch.length) ==
                        *expected.bytes(stretch.address, stretch.length));
        }
    }

    void cleanupTestCase() { radios.clear(); }

private:
    n35emu::EmulatorSession *radio(const QString &fault, const Command &command)
    {
        const QString key = fault + u'/' + Role(command);
        auto &session = radios[key];
        if (!session) {
            QStringList arguments{u"--load"_s, radioFile};
            if (fault != u"none"_s)
                arguments << u"--fault"_s << fault;
            session = std::make_unique<n35emu::EmulatorSession>(arguments, 1);
            QString error;
            if (!session->start(&error)) {
                qWarning("emulator %s: %s", qPrintable(key), qPrintable(error));
                session.reset();
            }
        }
        return session.get();
    }

    // The image a command leaves in a fresh window against the radio without faults.
    QByteArray reference(const Command &command)
    {
        const QString name = QLatin1String(command.row);
        if (const auto found = references.find(name); found != references.end())
            return found->second;
        n35emu::EmulatorSession *clean = radio(u"none"_s, command);
        if (!clean)
            return {};
        MessageCapture capture;
        Rig rig(*clean, path(u"reference.INI"_s), command);
        rig.run();
        if (Told(capture) != Texts(command.done))
            qWarning("reference %s: %s", command.row, qPrintable(Told(capture).join(u", "_s)));
        return references[name] = testing::ImageSnapshot(rig.window->session().image(),
                                                         path(QStringLiteral("reference-%1.N35").arg(name)));
    }
    QString path(const QString &name) const { return dir.filePath(name); }

    QTemporaryDir dir;
    QString radioFile;
    QString otherBackup;
    int backedUpWriteSent = 0;
    // One emulator per fault and role (see Role): writes do not change what later rows read, whatever
    // order the rows run in. "none" for reads is also the reference radio.
    std::map<QString, std::unique_ptr<n35emu::EmulatorSession>> radios;
    std::map<QString, QByteArray> references;
    std::unique_ptr<CloneImage> radioImage;
};

QTEST_MAIN(FaultMatrixTest)
#include "test_faultmatrix.moc"
