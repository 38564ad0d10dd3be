// The clone image file: its lines as written, the reader's keys, a load that is all or nothing, and a
// save that is refused or fails without harming the old file.

#include "files/imagefile.h"
#include "model/channelcodec.h"
#include "model/cloneimage.h"
#include "model/imagediff.h"
#include "sample/sampleimage.h"
#include "support/channelfixtures.h"

#include <QTemporaryDir>
#include <QtTest>
#include <sys/stat.h>

using namespace n35;

namespace
{

const QDateTime When(QDate(2024, 5, 6), QTime(7, 8, 9));

// Every region away from its start-up state.
void FillEverything(CloneImage &image)
{
    BankPartition::Counts counts{};
    counts[0] = 250, counts[7] = 200, counts[49] = 50;
    image.banks.setCounts(counts);
    testing::FillVariedChannels(image.channels, 1, ChannelCount);
    testing::VaryRegions(image);
    QVERIFY(image.settings.StoreSettingsBytes(QStringLiteral("A59C"), 0).ok()); // byte 1 is kept as read
}

QString Record()
{
    ChannelTable table;
    testing::FillVariedChannels(table, 10, 10);
    return *EncodeChannel(10, table);
}

} // namespace

class ImageFileTest : public QObject
{
    Q_OBJECT
    QTemporaryDir dir;

    QString write(const QString &name, const QByteArray &content)
    {
        QFile file(dir.filePath(name));
        return file.open(QIODevice::WriteOnly) && file.write(content) == content.size() ? file.fileName()
                                                                                        : QString();
    }
    QByteArray saved(const CloneImage &image)
    {
        QFile file(dir.filePath(QStringLiteral("saved.N35")));
        if (!SaveImageFile(file.fileName(), image, 3, nullptr, When) || !file.open(QIODevice::ReadOnly))
            return {};
        return file.readAll();
    }
    LoadOutcome load(const QByteArray &content, CloneImage &image, const QString &name = "load.N35")
    {
        return LoadImageFile(write(name, content), image);
    }

private slots:
    void writesEveryLineInOrder()
    {
        CloneImage image;
        FillEverything(image);
        const QByteArray content = saved(image);
        QCOMPARE(content.count('\n'), content.count("\r\n"));
        const QStringList lines = QString::fromLatin1(content).split(QStringLiteral("\r\n"));
        QCOMPARE(lines.at(0), QStringLiteral("Save Date and Time 2024/05/06 07:08:09"));
        QCOMPARE(lines.at(851), "CH0850:" + *EncodeChannel(851, image.channels));
        QCOMPARE(lines.at(952), "CH0951:" + *EncodeChannel(952, image.channels));
        QStringList shapes; // key and payload length of each line after the channels
        for (const QString &line : lines.mid(953, 17))
            shapes << line.left(line.indexOf(':') + 1) + QString::number(line.size() - line.indexOf(':') - 1);
        QCOMPARE(shapes.join(' '),
                 "BK0:128 BK1:100 OTM:54 DTMF:330 TITLE:68 LINK:176 SYS0:128 SYS1:128 SYS2:44 "
                 "FONT0:64 FONT1:64 FONT2:64 FONT3:64 FONT4:64 FONT5:64 FONT6:64 FONT7:64");
        QCOMPARE(lines.mid(970), (QStringList{"WP:02", "COMPORT:03", "File End", ""}));
    }

    void emptyGridAndUnfinishedPartitionLeaveRowsEmptyAndBanksKept()
    {
        CloneImage source;
        source.channels.clearRow(Call222Channel), source.channels.clearRow(Call900Channel);
        source.banks.setCount(0, 99), source.banks.setCount(7, 1);
        source.settings.setIndex(SetModeSettings::BankMainOption, 5); // bank 7, not a default bank
        source.banks.setCount(0, 98);                                 // 499 in all: not saved
        const QByteArray content = saved(source);
        QCOMPARE(content.count('\n'), 20);
        for (const char *key : {"\nBK", "\nOTM:"})
            QVERIFY2(!content.contains(key), key);
        // Of the channels only the two CALL rows, as empty records: the file opens as it was saved.
        const QByteArray emptyRecord = QByteArray(128, '0') + "\r\n";
        QCOMPARE(content.count("\nCH"), 2);
        QVERIFY(content.contains("\nCH0850:" + emptyRecord) && content.contains("\nCH0851:" + emptyRecord));

        CloneImage image;
        FillEverything(image);
        const auto counts = image.banks.counts();
        const QString keys = image.oneTouch.MakeOneTouchData();
        const ChannelCells call = image.channels.cells(Call222Channel);
        // A file without CALL lines (an older one) keeps the CALL rows the window holds.
        QByteArray withoutCall = content;
        withoutCall.replace("CH0850:" + emptyRecord, "").replace("CH0851:" + emptyRecord, "");
        const LoadOutcome loaded = load(withoutCall, image);
        QVERIFY(loaded.ok() && loaded.notices.isEmpty());
        for (int channel = 1; channel <= ChannelCount; ++channel) {
            if (!IsCallChannel(channel))
                QVERIFY(!image.channels.used(channel) && image.channels.cells(channel) == ChannelCells{});
        }
        QVERIFY(image.channels.cells(Call222Channel) == call && image.channels.used(Call900Channel));
        CloneImage again;
        FillEverything(again);
        QVERIFY(load(content, again).ok());
        QVERIFY(again.channels.cells(Call222Channel) == ChannelCells{} &&
                !again.channels.used(Call900Channel));
        QVERIFY(image.banks.counts() == counts);
        QCOMPARE(image.oneTouch.MakeOneTouchData(), keys);
        QCOMPARE(image.settings.index(SetModeSettings::BankMainOption), 1); // by the image's own banks
    }

    void readsLinesByKey_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content"); // %R: a channel record
        QTest::addColumn<int>("row");            // the row that takes it, 0 for none
        QTest::newRow("first line skipped")
            << "a.N35" << QByteArray("CH0000:%R\r\nCOMPORT:01\r\nFile End\r\n") << 0;
        QTest::newRow("row 951, LF only") << "a.N35" << QByteArray("x\nCH0950:%R\nFile End\n") << 951;
        QTest::newRow("row 951, CR only") << "a.N35" << QByteArray("x\rCH0950:%R\rFile End\r") << 951;
        QTest::newRow("after File End") << "a.N35" << QByteArray("x\r\nFile End\r\nCH0005:%R\r\n") << 6;
        QTest::newRow("CALL row, no last line end")
            << "a.N35" << QByteArray("x\r\nCH0850:%R\r\nFile End") << 851;
        QTest::newRow("lower-case extension") << "a.n35" << QByteArray("x\r\nCH0001:%R\r\nFile End\r\n") << 2;
        QTest::newRow("other keys ignored")
            << "a.N35" << QByteArray("x\r\nCOMPORT:05\r\n\r\nch0001:%R\r\nXY\r\nFile End\r\n") << 0;
    }

    void readsLinesByKey()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QFETCH(int, row);
        ChannelTable source; // as the record reads back: a name keeps its padding
        QVERIFY(DecodeChannel(Record(), 10, source).ok());
        CloneImage image;
        const CloneImage fresh;
        QVERIFY(load(content.replace("%R", Record().toLatin1()), image, name).ok());
        for (int channel = 1; channel <= ChannelCount; ++channel) {
            const ChannelCells &expected = channel == row ? source.cells(10) : fresh.channels.cells(channel);
            QVERIFY2(image.channels.cells(channel) == expected, qPrintable(QString::number(channel)));
        }
    }

    void refusedFileChangesNothing_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("bad"); // lines 5.. (or, for a refused name, the whole file)
        QTest::addColumn<int>("line");        // 0: the name, -1: an unreadable file
        const QString record = Record();
        SetModeSettings settings;
        const QString block0 = settings.MakeSettingData(0).replace(4, 2, "FF"); // byte 2: a short list
        const QString zeros(64, QLatin1Char('0'));
        auto row = [](const char *tag, const QStringList &bad, int line, const QString &name = "bad.N35") {
            QTest::newRow(tag) << name << bad << line;
        };
        row(".txt", {}, 0, "a.txt");
        row("unreadable", {}, -1, "none.N35");
        row("record not hex", {"CH0003:" + record.chopped(1) + "G"}, 5);
        row("row 952", {"CH0952:" + record}, 5);
        row("row not a number", {"CH09 1:" + record}, 5);
        row("settings unshowable", {"SYS0:" + block0, "SYS2:" + settings.MakeSettingData(2)}, 6);
        row("glyph with G", {"FONT2:" + zeros, "FONT3:G" + zeros.left(63)}, 6);
        row("glyph 8", {"FONT8:" + zeros}, 5);
        row("bank block 2", {"BK2:" + zeros}, 5);
        row("one-touch short", {"OTM:0000"}, 5);
        row("DTMF short", {"DTMF:0000"}, 5);
        row("title short", {"TITLE:0000"}, 5);
        row("link not hex", {"LINK:" + QString(176, 'X')}, 5);
        row("write protect 3", {"WP:03"}, 5);
        row("write protect text", {"WP:ZZ"}, 5);
    }

    void refusedFileChangesNothing()
    {
        QFETCH(QString, name);
        QFETCH(QStringList, bad);
        QFETCH(int, line);
        // Good lines that would change the title and the banks, the bad ones, then a whole image.
        const CloneImage start;
        QStringList lines{"x", "TITLE:" + QString(68, '0'), "BK0:" + EncodeBankBlock(start.banks, 0),
                          "BK1:" + EncodeBankBlock(start.banks, 1)};
        lines << bad << QString::fromLatin1(saved(start)).split("\r\n").mid(1);
        CloneImage image;
        FillEverything(image);
        const QByteArray before = saved(image);
        const LoadOutcome loaded = line < 0 ? LoadImageFile(dir.filePath(name), image)
                                            : load(lines.join("\r\n").toLatin1(), image, name);
        const auto [failure, text] =
            line > 0    ? std::pair(LoadFailure::BadLine, QStringLiteral("Line %1: ").arg(line))
            : line == 0 ? std::pair(LoadFailure::WrongExtension, ": " + FixedText::FileNotOpened())
                        : std::pair(LoadFailure::CannotRead, name + ": ");
        QVERIFY(loaded.failure == failure && loaded.line == std::max(line, 0));
        QVERIFY2(loaded.problem.describe().contains(text), qPrintable(loaded.problem.describe()));
        QCOMPARE(saved(image), before);
    }

    // Whatever is not a whole clone image file is refused with its reason, and the image stays as it was.
    void notAnImageIsRefused()
    {
        CloneImage source;
        FillEverything(source);
        const QByteArray good = saved(source);
        const QList<QByteArray> lines = good.split('\n');
        QList<std::pair<QString, QByteArray>> cases{
            {"garbage", "garbage\n"},
            {"empty", ""},
            {"utf16",
             QByteArray(reinterpret_cast<const char *>(QString::fromLatin1(good).utf16()), good.size() * 2)},
            {"csv", "\"\",\"Freqency\",\"mode\"\r\n\"Bank00-000\",\"222.00000MHz\",\"FM\"\r\n"},
            {"header only", lines.at(0) + '\n'},
            {"File End only", "x\r\nFile End\r\n"},
            {"folder", {}},
            {"fifo", {}},
            {"over the limit", good + QByteArray(1 << 20, '0')},
            {"a 10 MB line", "x\r\nCH0001:" + QByteArray(10 << 20, '0') + "\r\nFile End\r\n"}};
        // Cuts at line boundaries before "File End": in the channels, each region, the last line before it.
        for (qsizetype keep = 1; keep < lines.size() - 1; keep += keep < 940 ? 97 : 1)
            cases.append(
                {QStringLiteral("cut after line %1").arg(keep), lines.mid(0, keep).join('\n') + '\n'});
        CloneImage image;
        FillEverything(image);
        const QByteArray before = saved(image);
        for (const auto &[tag, content] : cases) {
            const QString path = dir.filePath(tag + ".N35");
            if (tag == QLatin1String("folder"))
                QVERIFY(QDir().mkpath(path));
            else if (tag == QLatin1String("fifo"))
                QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
            else
                QVERIFY(!write(tag + ".N35", content).isEmpty());
            const LoadOutcome loaded = LoadImageFile(path, image);
            const bool read =
                tag == "folder" || tag == "fifo" || tag.startsWith("over") || tag.startsWith("a 10");
            QVERIFY2(loaded.failure == (read ? LoadFailure::CannotRead : LoadFailure::NotImage),
                     qPrintable(tag));
            const QString text = loaded.problem.describe();
            QVERIFY2(text.startsWith(path + ": it ") && text.size() < path.size() + 120, qPrintable(text));
            QCOMPARE(saved(image), before);
        }
        // The whole file, with any line end, reads exactly as written.
        for (const QByteArray &ends : {QByteArray("\n"), QByteArray("\r")}) {
            CloneImage copy;
            QVERIFY(load(QByteArray(good).replace("\r\n", ends), copy).ok());
            QCOMPARE(saved(copy), good);
        }
    }

    void unfinishedPartitionInFileFallsBackWithNotice()
    {
        BankPartition banks;
        banks.setCount(3, 1);
        CloneImage image;
        FillEverything(image);
        const LoadOutcome loaded = load(("x\r\nBK0:" + EncodeBankBlock(banks, 0) +
                                         "\r\nBK1:" + EncodeBankBlock(banks, 1) + "\r\nFile End")
                                            .toLatin1(),
                                        image);
        QVERIFY(loaded.ok() && loaded.notices.size() == 1);
        QCOMPARE(loaded.notices[0].text + loaded.notices[0].title, "Bank Total Error. Initialize.Caution");
        QVERIFY(image.banks.counts() == BankPartition::DefaultCounts());
    }

    void saveLoadSaveIsByteForByte()
    {
        CloneImage source;
        FillEverything(source);
        const QByteArray first = saved(source);
        QVERIFY(first.size() > 100000);
        CloneImage image;
        const LoadOutcome loaded = load(first, image);
        QVERIFY(loaded.ok() && loaded.notices.isEmpty());
        QCOMPARE(saved(image), first);
        QVERIFY(image.settings.language() == Language::Japanese);
    }

    // The shipped sample is exactly what the program's own code makes of it, and it loads whole: a varied
    // list in both bands, Japanese names, glyphs, a title, banks and one-touch keys.
    void shippedSampleIsTheGeneratedOne()
    {
        CloneImage made;
        FillSampleImage(made);
        const Result<QByteArray> content = ImageFileContent(
            made, 1, QDateTime::fromString(QString::fromLatin1(SampleSaveDate), Qt::ISODate));
        QVERIFY(content);
        QFile file(QStringLiteral(N35_SHIPPED_DATA "/sample.N35"));
        QVERIFY2(file.open(QIODevice::ReadOnly), "data/sample.N35: ./build.sh sample makes it");
        QVERIFY2(file.readAll() == *content,
                 "data/sample.N35 is out of date: ./build.sh sample makes it again");
        CloneImage image;
        const LoadOutcome loaded = LoadImageFile(file.fileName(), image);
        QVERIFY(loaded.ok() && loaded.notices.isEmpty());
        QVERIFY(CompareImages(made, image).empty());
        int used = 0;
        bool japanese = false;
        for (int channel = 1; channel <= ChannelCount; ++channel) {
            used += image.channels.used(channel);
            japanese |= image.channels.cell(channel, ColName).contains(QChar(0x6771)); // 東
        }
        QVERIFY(used >= 20 && japanese);
        QVERIFY(image.title.text().contains(QStringLiteral("\\1")));
        QVERIFY(image.banks.total() == BankChannelTotal &&
                image.banks.counts() != BankPartition::DefaultCounts());
        QVERIFY(!image.oneTouch.key(0).disabled);
    }

    void failedSaveNamesTheFileAndKeepsTheOld()
    {
        CloneImage image;
        for (const QString &path : {dir.path(), dir.filePath("no/such/folder.N35")}) {
            QString error;
            QVERIFY(!SaveImageFile(path, image, 1, &error));
            QVERIFY2(error.startsWith(path + ": ") && error.size() > path.size() + 2, qPrintable(error));
        }
        const QString old = write("old.N35", "old");
        image.channels.setCell(5, ColFrequency, QStringLiteral("abc"));
        QString error;
        QVERIFY(!SaveImageFile(old, image, 1, &error));
        QCOMPARE(error, EncodeChannel(5, image.channels).problem().describe());
        QFile file(old);
        QVERIFY(file.open(QIODevice::ReadOnly) && file.readAll() == "old");
    }
};

QTEST_GUILESS_MAIN(ImageFileTest)
#include "test_imagefile.moc"
