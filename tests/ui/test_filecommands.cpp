// The File menu's commands on a window: what the user is told, and that a file the program cannot take
// changes nothing.

#include "files/imagefile.h"
#include "model/channelcells.h"
#include "support/emulatorwindow.h"
#include "support/windowrig.h"
#include "ui/filecommands.h"

#include <QtTest>
#include <QtWidgets>
#include <sys/stat.h>

using namespace n35;
using namespace n35::testing;
using namespace Qt::StringLiterals;

namespace
{

QByteArray Snapshot(WindowRig &rig)
{
    return ImageSnapshot(rig.window->cloneImage(), rig.dir.filePath(u"snapshot.N35"_s));
}

void Write(const QString &path, const QByteArray &content)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

} // namespace

class TestFileCommands : public QObject
{
    Q_OBJECT
private slots:
    void imageFiles()
    {
        WindowRig rig;
        CloneImage &image = rig.window->cloneImage();
        FillVariedChannels(image.channels, 1, 40);
        image.title.setText(u"FILE"_s);
        image.glyphs.setPixel(2, 3, 4, true);
        const QString path = rig.dir.filePath(u"radio.n35"_s);
        SaveImageCommand(*rig.window, path);
        const QByteArray saved = Snapshot(rig);

        WindowRig other;
        OpenImageCommand(*other.window, path);
        QCOMPARE(other.told(), QStringList{u"Read File|Finish"_s});
        QCOMPARE(Snapshot(other), saved);
        QCOMPARE(rig.told(), QStringList{u"Save File|Finish"_s});

        // A file the program cannot take changes nothing, whatever its name says.
        const QByteArray before = Snapshot(other);
        other.capture.messages.clear();
        const QString text = other.dir.filePath(u"radio.txt"_s);
        QFile::copy(path, text);
        OpenImageCommand(*other.window, text);
        const QString damaged = other.dir.filePath(u"damaged.N35"_s);
        Write(damaged, "Save Date and Time\r\nTITLE:" + QByteArray(68, 'Z') + "\r\nFile End\r\n");
        OpenImageCommand(*other.window, damaged);
        QCOMPARE(other.told(), (QStringList{u"This File couldn't be opened.|Error"_s,
                                            u"The file could not be loaded. Nothing was changed.|Error"_s}));
        QVERIFY(other.capture.messages.last().detail.contains(u"Line 2"_s));
        QCOMPARE(Snapshot(other), before);

        // A save that cannot be written says so.
        other.capture.messages.clear();
        SaveImageCommand(*other.window, other.dir.filePath(u"missing/folder.N35"_s));
        QCOMPARE(other.told(), QStringList{u"The file could not be saved.|Error"_s});
    }

    void csvFiles()
    {
        WindowRig rig;
        ChannelTable &table = rig.table();
        table.setCells(5, CallChannelDefaults(u"223.50000MHz"_s));
        table.setUsed(5, true);
        const QString path = rig.dir.filePath(u"list.csv"_s);
        ExportCsvCommand(*rig.window, path);
        table.clearRow(5);
        ImportCsvCommand(*rig.window, path);
        QCOMPARE(rig.told(), (QStringList{u"Save File|Finish"_s, u"Inport CSV File| Finish"_s}));
        QCOMPARE(table.cell(5, ColFrequency), u"223.50000MHz"_s);

        rig.capture.messages.clear();
        Write(rig.dir.filePath(u"other.csv"_s), "\"\",\"Frequency\"\r\n");
        ImportCsvCommand(*rig.window, rig.dir.filePath(u"other.csv"_s));
        ImportCsvCommand(*rig.window, rig.dir.filePath(u"list.txt"_s));
        QCOMPARE(rig.told(),
                 (QStringList{u"CSV File Error| Error"_s, u"This File couldn't be opened.|Error"_s}));
        QCOMPARE(table.cell(5, ColFrequency), u"223.50000MHz"_s);
    }

    // Files the window cannot take, opened as a clone image or imported as CSV: each refused with its
    // reason in the details, nothing changed. Good files with other line ends read exactly.
    void badFilesChangeNothing()
    {
        WindowRig rig;
        FillVariedChannels(rig.table(), 1, 30);
        for (int row = 1; row <= 30; ++row) // in band, so that the CSV file reads back as written
            rig.table().setCell(row, ColFrequency, FrequencyText(216'000'000U + quint32(row) * 12'500U));
        const QString image = rig.dir.filePath(u"good.N35"_s);
        const QString csv = rig.dir.filePath(u"good.csv"_s);
        SaveImageCommand(*rig.window, image);
        ExportCsvCommand(*rig.window, csv);
        QFile imageFile(image);
        QFile csvFile(csv);
        QVERIFY(imageFile.open(QIODevice::ReadOnly) && csvFile.open(QIODevice::ReadOnly));
        const QByteArray goodImage = imageFile.readAll();
        const QByteArray goodCsv = csvFile.readAll();
        const QByteArray before = Snapshot(rig);
        auto utf16 = [](const QByteArray &text) {
            return QByteArray(reinterpret_cast<const char *>(QString::fromLatin1(text).utf16()),
                              text.size() * 2);
        };
        const QString loadFailed = u"The file could not be loaded. Nothing was changed.|Error"_s;
        const QString csvError = u"CSV File Error| Error"_s;
        const QString notOpened = u"This File couldn't be opened.|Error"_s;
        // clang-format off
        const struct { const char *name; QByteArray content; QString told; } cases[] = {
            {"garbage.N35", "garbage", loadFailed}, {"empty.N35", "", loadFailed},
            {"utf16.N35", utf16(goodImage), loadFailed}, {"csv.N35", goodCsv, loadFailed},
            {"header.N35", goodImage.left(goodImage.indexOf('\n') + 1), loadFailed},
            {"cut.N35", goodImage.left(goodImage.indexOf("FONT")), loadFailed},
            {"fifo.N35", "fifo", loadFailed}, {"folder.N35", "folder", loadFailed},
            {"huge.N35", goodImage + QByteArray(1 << 20, '0'), loadFailed},
            {"line.N35", "x\r\nCH0001:" + QByteArray(10 << 20, '0') + "\r\nFile End\r\n", loadFailed},
            {"cr.N35", QByteArray(goodImage).replace("\r\n", "\r"), u"Read File|Finish"_s},
            {"lf.N35", QByteArray(goodImage).replace("\r\n", "\n"), u"Read File|Finish"_s},
            {"garbage.csv", "garbage", csvError}, {"empty.csv", "", csvError},
            {"utf16.csv", utf16(goodCsv), csvError}, {"image.csv", goodImage, csvError},
            {"fifo.csv", "fifo", notOpened}, {"folder.csv", "folder", notOpened},
            {"line.csv", goodCsv.left(goodCsv.indexOf('\n') + 1) + QByteArray(10 << 20, 'x'), notOpened},
            {"cr.csv", QByteArray(goodCsv).replace("\r\n", "\r"), u"Inport CSV File| Finish"_s},
            {"lf.csv", QByteArray(goodCsv).replace("\r\n", "\n"), u"Inport CSV File| Finish"_s}};
        // clang-format on
        for (const auto &c : cases) {
            const QString path = rig.dir.filePath(QString::fromLatin1(c.name));
            if (c.content == "folder")
                QVERIFY(QDir().mkpath(path));
            else if (c.content == "fifo")
                QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
            else
                Write(path, c.content);
            rig.capture.messages.clear();
            if (path.endsWith(u".N35"_s))
                OpenImageCommand(*rig.window, path);
            else
                ImportCsvCommand(*rig.window, path);
            QVERIFY2(rig.told() == QStringList{c.told}, c.name);
            QVERIFY2(Snapshot(rig) == before, c.name);
            const QString detail = rig.capture.messages.last().detail;
            if (!c.told.contains(u"Finish"_s))
                QVERIFY2(detail.contains(path + u": "_s) && detail.size() < path.size() + 150,
                         qPrintable(detail));
        }
    }

    // A CSV file that ends before row 952 says how far it reached; the rows after it stay as they were.
    void csvEndingEarlySaysSo()
    {
        WindowRig rig;
        FillVariedChannels(rig.table(), 1, 30);
        for (int row = 1; row <= 30; ++row) // in band, so that the CSV file reads back as written
            rig.table().setCell(row, ColFrequency, FrequencyText(216'000'000U + quint32(row) * 12'500U));
        const QString csv = rig.dir.filePath(u"short.csv"_s);
        ExportCsvCommand(*rig.window, csv);
        QFile file(csv);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = file.readAll().split('\n');
        file.close();
        Write(csv, lines.mid(0, 11).join('\n') + '\n');
        const QByteArray before = Snapshot(rig);
        rig.capture.messages.clear();
        ImportCsvCommand(*rig.window, csv);
        QCOMPARE(rig.told(), QStringList{u"Inport CSV File| Finish"_s});
        QCOMPARE(rig.capture.messages.last().detail.section(u'\n', 0, 0),
                 u"The file ends after row 10: rows 11 to 952 were left as they were."_s);
        QCOMPARE(Snapshot(rig), before);
    }

    // A name typed without its extension is saved with it, so Open and Import take the file later.
    void savedNamesGetTheirExtension()
    {
        const QString cases[][3] = {{"radio", ".N35", "radio.N35"},
                                    {"radio.n35", ".N35", "radio.n35"},
                                    {"list", ".csv", "list.csv"},
                                    {"list.CSV", ".csv", "list.CSV"},
                                    {"", ".N35", ""}};
        for (const auto &[typed, extension, saved] : cases)
            QCOMPARE(WithExtension(typed, extension), saved);
    }
};

QTEST_MAIN(TestFileCommands)
#include "test_filecommands.moc"
