// Backups: the file and its refusals, where they live, and the session's backed-up write and restore
// against in-process radios of every kind and against the emulator: the changed-only write leaves exactly
// the memory of the full write, and a restore puts back every byte.

#include "emulator/emulatorsession.h"
#include "emulator/radiocore.h"
#include "files/backup.h"
#include "link/address.h"
#include "link/porterror.h"
#include "link/progress.h"
#include "link/radiolink.h"
#include "link/wholeradio.h"
#include "model/channelcells.h"
#include "model/cloneimage.h"
#include "model/imagediff.h"
#include "session/radiobackups.h"
#include "support/channelfixtures.h"
#include "support/fakeradioport.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>
#include <random>

using namespace n35;

namespace
{

using Memory = std::vector<std::uint8_t>;

// An in-process radio that also tells which block writes would not have changed it.
struct Radio {
    n35emu::RadioCore core;
    FakeRadioPort port;
    RadioLink link{port};
    NoProgress progress;
    int uselessWrites = 0; // writes of bytes the radio already held
    int writes = 0;

    explicit Radio(const Memory &memory)
    {
        core.memory() = memory;
        port.setResponder([this](const QByteArray &written) {
            if (written.startsWith("ZQ~F") && written.size() > 11 && written.at(9) == 'W') {
                ++writes;
                const int address = written.mid(4, 5).toInt(nullptr, 16);
                const QByteArray bytes = QByteArray::fromHex(written.mid(10).chopped(1));
                if (QByteArray(reinterpret_cast<const char *>(core.memory().data()) + address,
                               bytes.size()) == bytes)
                    ++uselessWrites;
            }
            return testing::Answer(core, written);
        });
        link.setTimeoutMs(50);
    }
};

// A writable image, the same for the same seed: varied channels, some rows changed or emptied, the
// other regions varied or not.
void BuildImage(CloneImage &image, unsigned seed)
{
    std::mt19937 random(seed);
    testing::FillVariedChannels(image.channels, 1, ChannelCount);
    const int edits = int(random() % 40);
    QList<int> cleared;
    for (int n = 0; n < edits; ++n) {
        const int channel = 1 + int(random() % ChannelCount);
        if (IsCallChannel(channel))
            continue;
        // Emptied after the frequencies, so that no frequency lands in an emptied row.
        if (random() % 3 == 0)
            cleared << channel;
        else
            image.channels.setCell(channel, ColFrequency,
                                   FrequencyText(430000000u + 12500u * (random() % 800)));
    }
    for (const int channel : cleared)
        image.channels.clearRow(channel);
    if (random() % 2)
        testing::VaryRegions(image);
}

// What a full write of the seed's image leaves in a radio with sane settings.
Memory WrittenState(unsigned seed)
{
    Radio radio(Memory(n35emu::RadioCore::memorySize, 0xFF));
    testing::PrimeSettings(radio.core);
    CloneImage image;
    BuildImage(image, seed);
    if (!WriteAllData(radio.link, image, radio.progress).ok)
        return {};
    return radio.core.memory();
}

// A radio memory: erased, random bytes, or what a write of the seed's image leaves with a few records
// and region bytes changed.
Memory RadioState(unsigned seed)
{
    std::mt19937 random(seed * 7919u + 1u);
    Memory memory(n35emu::RadioCore::memorySize, 0xFF);
    switch (seed % 3) {
    case 0:
        break;
    case 1:
        for (auto &byte : memory)
            byte = std::uint8_t(random());
        break;
    default: {
        memory = WrittenState(seed);
        if (memory.empty())
            return {};
        for (int n = 0; n < 5; ++n)
            memory[0x00B00 + 64 * (random() % ChannelCount) + random() % 64] ^= 0x5A;
        memory[0x001A0 + random() % 34] ^= 0x01; // the title
        break;
    }
    }
    return memory;
}

Memory RandomMemory(unsigned seed)
{
    std::mt19937 random(seed);
    Memory memory(n35emu::RadioCore::memorySize);
    for (auto &byte : memory)
        byte = std::uint8_t(random());
    return memory;
}

QByteArray Bytes(const Memory &memory)
{
    return QByteArray(reinterpret_cast<const char *>(memory.data()), qsizetype(memory.size()));
}

RadioBackup SampleBackup()
{
    RadioBackup backup{QStringLiteral("HVN35Writer 1.0.0"),
                       QDateTime(QDate(2026, 12, 6), QTime(21, 45, 0)),
                       QStringLiteral("COM3"),
                       {}};
    const Memory memory = RandomMemory(5);
    for (const int address : BackupBlockAddresses())
        backup.blocks.append({address, Bytes(memory).mid(address, 64)});
    return backup;
}

} // namespace

class RadioBackupsTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(dir.isValid());
    }

    void fileRefusesEveryDamage_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("why"); // empty: read back as written
        const QByteArray good = EncodeBackup(SampleBackup());
        const QString damaged =
            QStringLiteral("the backup is damaged: its checksum does not match its content");
        const QString cut = QStringLiteral("the backup is cut short (it has no checksum line at its end)");
        auto changed = [&](qsizetype at, char to) {
            QByteArray bytes = good;
            bytes[at] = to;
            return bytes;
        };
        // A change with the checksum made to match again: the reader takes only what it writes itself.
        auto resealed = [&](const QByteArray &from, const QByteArray &to) {
            QByteArray bytes = good.left(good.lastIndexOf("SHA-256: ")).replace(from, to);
            return bytes + "SHA-256: " + QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex() +
                   '\n';
        };
        const QString header =
            QStringLiteral("the backup's header is incomplete or not as this program writes it");
        const qsizetype block = good.indexOf("\n00B00 ") + 10;
        QTest::newRow("intact") << good << QString();
        QTest::newRow("a block byte changed") << changed(block, good.at(block) == 'A' ? 'B' : 'A') << damaged;
        QTest::newRow("the port changed") << changed(good.indexOf("COM3") + 3, '4') << damaged;
        QTest::newRow("the checksum changed")
            << changed(good.size() - 5, good.at(good.size() - 5) == '0' ? '1' : '0') << damaged;
        QTest::newRow("cut in a block") << good.left(good.size() / 2) << cut;
        QTest::newRow("cut at the checksum") << good.left(good.lastIndexOf("SHA-256")) << cut;
        QTest::newRow("cut before the last line end") << good.chopped(1) << cut;
        QTest::newRow("a port not in UTF-8, resealed") << resealed("COM3", "COM\xff") << header;
        QTest::newRow("a fraction of a second, resealed") << resealed("T21:45:00", "T21:45:00.5") << header;
        QTest::newRow("a block count with a sign, resealed") << resealed("Blocks: ", "Blocks: +") << header;
        QTest::newRow("a block address in lower case, resealed")
            << resealed("\n00B00 ", "\n00b00 ")
            << QStringLiteral("line %1 of the backup is not a block").arg(good.left(block).count('\n') + 1);
        QTest::newRow("line ends changed") << QByteArray(good).replace("\n", "\r\n") << damaged;
        QTest::newRow("an image file")
            << QByteArray("[HVN35 Writer]\r\n")
            << QStringLiteral(
                   "it is not a radio backup of this program (no \"HVN35Writer radio backup 1\" line first)");
    }
    void fileRefusesEveryDamage()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, why);
        const Result<RadioBackup> read = DecodeBackup(content);
        if (!why.isEmpty()) {
            QVERIFY(!read);
            QCOMPARE(read.problem().why, why);
            return;
        }
        QVERIFY(read);
        const RadioBackup sample = SampleBackup();
        QCOMPARE(read->taken, sample.taken);
        QCOMPARE(read->port, sample.port);
        QCOMPARE(read->program, sample.program);
        QCOMPARE(read->blocks.size(), sample.blocks.size());
        for (qsizetype n = 0; n < sample.blocks.size(); ++n) {
            QCOMPARE(read->blocks.at(n).address, sample.blocks.at(n).address);
            QCOMPARE(read->blocks.at(n).bytes, sample.blocks.at(n).bytes);
        }
    }

    void folderPathsAndPruning()
    {
        // The user's data folder, never beside the program; a chosen folder wins.
        const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
        QCOMPARE(BackupFolder(), QDir(data).filePath(QStringLiteral("HVN35Writer/backups")));
        QVERIFY(!BackupFolder().startsWith(QCoreApplication::applicationDirPath()));
        QCOMPARE(BackupFolder(QStringLiteral("/elsewhere")), QStringLiteral("/elsewhere"));

        // Names never collide within one second.
        QTemporaryDir folder;
        const QDateTime when(QDate(2026, 12, 6), QTime(21, 45, 0));
        QStringList names;
        RadioBackup backup = SampleBackup();
        for (int n = 0; n < 3; ++n) {
            const QString path = BackupFilePath(folder.path(), when);
            names << QFileInfo(path).fileName();
            backup.taken = when;
            QVERIFY(SaveBackupFile(path, backup));
        }
        QCOMPARE(names,
                 (QStringList{"hvn35-backup-20261206-214500.n35bak", "hvn35-backup-20261206-214500-2.n35bak",
                              "hvn35-backup-20261206-214500-3.n35bak"}));

        // Listed newest first; the newest BackupsKept stay, and files of other names are never touched.
        for (int n = 1; n <= BackupsKept; ++n) {
            backup.taken = when.addSecs(-60 * n);
            QVERIFY(SaveBackupFile(BackupFilePath(folder.path(), backup.taken), backup));
        }
        QFile other(folder.filePath(QStringLiteral("notes.txt")));
        QVERIFY(other.open(QIODevice::WriteOnly));
        other.close();
        PruneBackups(folder.path());
        const QList<BackupEntry> kept = ListBackups(folder.path());
        QCOMPARE(kept.size(), BackupsKept);
        QCOMPARE(QFileInfo(kept.first().path).fileName(), names.last());
        QCOMPARE(QFileInfo(kept.at(2).path).fileName(), names.first());
        QCOMPARE(kept.last().taken, when.addSecs(-60 * (BackupsKept - 3)));
        QCOMPARE(kept.first().port, QStringLiteral("COM3"));
        QVERIFY(kept.first().size > 986 * 128);
        QVERIFY(other.exists());
    }

    // The write stretches are exactly what "Write All Data" sends, in its order.
    void stretchesAreWhatTheWriteSends()
    {
        Radio radio(RandomMemory(3));
        CloneImage image;
        BuildImage(image, 3);
        QVERIFY(WriteAllData(radio.link, image, radio.progress).ok);
        QList<WriteStretch> sent;
        for (const QByteArray &written : radio.port.writes()) {
            if (written.startsWith(RadioLink::IdentifyCommand))
                sent.append({-1, 0});
            else if (written.at(9) == 'W')
                sent.append({written.mid(4, 5).toInt(nullptr, 16), int(written.size() - 11) / 2});
        }
        QList<WriteStretch> expected;
        for (const WriteStretch &stretch : WholeRadioWriteStretches()) {
            if (stretch.identifyFirst)
                expected.append({-1, 0});
            expected.append(stretch);
        }
        QCOMPARE(sent.size(), expected.size());
        for (qsizetype n = 0; n < sent.size(); ++n) {
            QCOMPARE(sent.at(n).address, expected.at(n).address);
            // An empty channel's record is one byte: the stretch is the whole record it may take.
            const bool record = sent.at(n).address >= 0x00B00 && sent.at(n).address < 0x0F900;
            if (record && sent.at(n).length == 1)
                continue;
            QCOMPARE(sent.at(n).length, expected.at(n).length);
        }
    }

    // Many images and radio states: the write after a backup leaves the memory the full write leaves, and
    // sends no block the radio already held.
    void changedOnlyWriteEqualsTheFullWrite()
    {
        for (unsigned seed = 1; seed <= 12; ++seed) {
            const Memory start = RadioState(seed);
            QVERIFY(!start.empty());
            Radio full(start);
            Radio changed(start);
            CloneImage first;
            CloneImage second;
            BuildImage(first, seed + 100);
            BuildImage(second, seed + 100);
            const TransferOutcome fully = WriteAllData(full.link, first, full.progress);
            const WriteReport report = WriteImage(changed.link, second, changed.progress,
                                                  {true, false, dir.path(), QStringLiteral("COM1")});
            QCOMPARE(report.outcome.ok, fully.ok);
            QVERIFY2(report.outcome.ok, qPrintable(report.outcome.message.text));
            QVERIFY2(full.core.memory() == changed.core.memory(), qPrintable(QString::number(seed)));
            QCOMPARE(changed.uselessWrites, 0);
            QCOMPARE(report.blocksWritten, qint64(changed.writes));
            QCOMPARE(report.blocksWritten + report.blocksSkipped, qint64(WholeRadioWriteStretches().size()));
            // The second radio was read before it was written: its backup holds the state it started in.
            const Result<RadioBackup> backup = LoadBackupFile(report.backupPath);
            QVERIFY(backup);
            for (const BackupBlock &block : backup->blocks)
                QCOMPARE(block.bytes, Bytes(start).mid(block.address, 64));
            // A full write after a backup sends everything; a third radio ends as the others.
            Radio forced(start);
            CloneImage third;
            BuildImage(third, seed + 100);
            const WriteReport all = WriteImage(forced.link, third, forced.progress,
                                               {true, true, dir.path(), QStringLiteral("COM1")});
            QVERIFY(all.outcome.ok);
            QCOMPARE(all.blocksSkipped, qint64(0));
            QVERIFY(forced.core.memory() == full.core.memory());
        }
    }

    // The restore writes every stretch with the backup's bytes and nothing outside them, then compares.
    void restoreWritesTheStretchesOnly()
    {
        const RadioBackup backup = SampleBackup();
        const Memory before = RandomMemory(9);
        Radio radio(before);
        const RestoreReport report = RestoreBackup(radio.link, backup, radio.progress);
        QVERIFY2(report.restored(),
                 qPrintable(report.outcome.message.detail + report.differences.join('\n')));
        QByteArray expected = Bytes(before);
        for (const WriteStretch &stretch : WholeRadioWriteStretches())
            expected.replace(stretch.address, stretch.length,
                             Bytes(RandomMemory(5)).mid(stretch.address, stretch.length));
        QVERIFY(Bytes(radio.core.memory()) == expected);
        QCOMPARE(radio.port.writes().first(), QByteArray("ZQ~HV-N35\r"));

        // A radio that changes what it was given: the read-back names the place.
        Radio liar(before);
        liar.port.setResponder([&liar](const QByteArray &written) {
            const QByteArray answer = testing::Answer(liar.core, written);
            liar.core.memory()[0x00B00 + 64 * 4 + 3] = 0x00;
            return answer;
        });
        const RestoreReport lied = RestoreBackup(liar.link, backup, liar.progress);
        QVERIFY(lied.outcome.ok && !lied.restored());
        QCOMPARE(lied.differences,
                 QStringList{"channel 5 (the block at 00C00): 1 of 64 bytes differ, the first at 00C03"});

        // A backup without a block is refused before anything is sent.
        RadioBackup partial = backup;
        partial.blocks.removeLast();
        Radio untouched(before);
        const RestoreReport refused = RestoreBackup(untouched.link, partial, untouched.progress);
        QCOMPARE(refused.outcome.message.text,
                 QStringLiteral("The backup cannot be restored. Nothing was written."));
        QCOMPARE(refused.outcome.message.detail,
                 QStringLiteral("It does not hold the pass-channel index (the block at 00800)."));
        QVERIFY(untouched.port.writes().isEmpty());
    }

    // A backup that cannot be made stops the write before anything is sent; a write that fails after its
    // first block says so and names the backup.
    void failuresAroundTheWrite()
    {
        QFile blocker(dir.filePath(QStringLiteral("a-file")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        Radio radio(RadioState(2));
        const Memory start = radio.core.memory();
        CloneImage image;
        BuildImage(image, 7);
        const WriteReport unsaved = WriteImage(radio.link, image, radio.progress,
                                               {true, false, blocker.fileName() + "/backups", QString()});
        QCOMPARE(unsaved.outcome.message.text,
                 QStringLiteral("The radio could not be backed up. Nothing was written."));
        QVERIFY(unsaved.outcome.message.detail.contains(QStringLiteral("cannot be made")));
        QCOMPARE(radio.writes, 0);
        QVERIFY(radio.core.memory() == start);

        // 988 commands read the backup; the radio dies after the identification and the first write.
        Radio dying(RadioState(2));
        dying.core.setStopAfter(988 + 2);
        CloneImage other;
        BuildImage(other, 8);
        const QString folder = dir.filePath(QStringLiteral("dying"));
        WriteReport failed;
        try {
            failed = WriteImage(dying.link, other, dying.progress, {true, false, folder, QString()});
        } catch (const PortError &error) {
            QFAIL(qPrintable(error.detail()));
        }
        QVERIFY(!failed.outcome.ok);
        QCOMPARE(dying.writes, 2); // the one taken and the one unanswered
        QVERIFY2(
            failed.outcome.message.detail.contains(
                QStringLiteral("The radio now holds part of the new image and part of what it held before. "
                               "To put it back as it was, restore the backup %1")
                    .arg(QDir::toNativeSeparators(failed.backupPath))),
            qPrintable(failed.outcome.message.detail));
    }

    // A backup shows where it decodes; where it does not, the message names the place.
    void backupsOpenAsImages()
    {
        Radio radio(WrittenState(2));
        RadioBackup backup;
        QVERIFY(ReadRadioBackup(radio.link, radio.progress, QStringLiteral("COM1"), backup).ok);
        CloneImage fromRadio;
        QVERIFY(ReadAllData(radio.link, fromRadio, radio.progress).ok);
        CloneImage opened;
        QVERIFY(DecodeBackupImage(backup, opened).ok);
        QCOMPARE(CompareImages(fromRadio, opened).size(), std::size_t(0));

        Radio erased(Memory(n35emu::RadioCore::memorySize, 0xFF));
        QVERIFY(ReadRadioBackup(erased.link, erased.progress, QStringLiteral("COM1"), backup).ok);
        const TransferOutcome refused = DecodeBackupImage(backup, opened);
        QCOMPARE(refused.message.text,
                 QStringLiteral(
                     "This backup cannot be shown: part of it does not decode. It can still be restored."));
        QVERIFY2(refused.message.detail.contains(QStringLiteral("settings byte 44"), Qt::CaseInsensitive),
                 qPrintable(refused.message.detail));
        QCOMPARE(CompareImages(fromRadio, opened).size(), std::size_t(0)); // unchanged
    }

    // Through the emulator: a backed-up write into an erased radio and into one of random bytes, then the
    // restore of its backup, gives back all 64 KiB byte for byte.
    void emulatorWriteAndRestore_data()
    {
        QTest::addColumn<bool>("random");
        QTest::newRow("erased") << false;
        QTest::newRow("random bytes") << true;
    }
    void emulatorWriteAndRestore()
    {
        QFETCH(bool, random);
        QTemporaryDir folder;
        const QByteArray start =
            random ? Bytes(RandomMemory(11)) : QByteArray(n35emu::RadioCore::memorySize, '\xFF');
        QFile file(folder.filePath(QStringLiteral("start.bin")));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(start) == start.size());
        file.close();
        n35emu::EmulatorSession radio({QStringLiteral("--load"), file.fileName()});
        QString error;
        QVERIFY2(radio.start(&error), qPrintable(error));
        CloneImage image;
        testing::VaryImage(image);
        NoProgress progress;
        const WriteReport written =
            WriteImage(radio.link(), image, progress, {true, false, folder.path(), radio.devicePath()});
        QVERIFY2(written.outcome.ok,
                 qPrintable(written.outcome.message.text + written.outcome.message.detail));
        const Result<RadioBackup> backup = LoadBackupFile(written.backupPath);
        QVERIFY(backup);
        QCOMPARE(backup->port, radio.devicePath());
        const RestoreReport restored = RestoreBackup(radio.link(), *backup, progress);
        QVERIFY2(restored.restored(),
                 qPrintable(restored.outcome.message.detail + restored.differences.join('\n')));
        QVERIFY(radio.stopAndReadMemory() == start);
    }

private:
    QTemporaryDir dir;
};

QTEST_GUILESS_MAIN(RadioBackupsTest)
#include "test_radiobackups.moc"
