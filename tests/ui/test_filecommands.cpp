// The File menu's commands on a window: what the user is told, and that a file the program cannot take
// changes nothing.

#include "files/imagefile.h"
#include "model/banks.h"
#include "model/channelcells.h"
#include "model/channellisting.h"
#include "sample/sampleimage.h"
#include "support/emulatorwindow.h"
#include "support/windowrig.h"
#include "ui/channelprint.h"
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
    return ImageSnapshot(rig.window->session().image(), rig.dir.filePath(u"snapshot.N35"_s));
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
        CloneImage &image = rig.window->session().image();
        FillVariedChannels(image.channels, 1, 40);
        image.title.setText(u"FILE"_s);
        image.glyphs.setPixel(2, 3, 4, true);
        const QString path = rig.dir.filePath(u"radio.n35"_s);
        SaveImageCommand(rig.window->session(), rig.window.get(), path);
        const QByteArray saved = Snapshot(rig);

        WindowRig other;
        OpenImageCommand(other.window->session(), other.window.get(), path);
        QCOMPARE(other.told(), QStringList{u"Read File|Finish"_s});
        QCOMPARE(Snapshot(other), saved);
        QCOMPARE(rig.told(), QStringList{u"Save File|Finish"_s});

        // A file the program cannot take changes nothing, whatever its name says.
        const QByteArray before = Snapshot(other);
        other.capture.messages.clear();
        const QString text = other.dir.filePath(u"radio.txt"_s);
        QFile::copy(path, text);
        OpenImageCommand(other.window->session(), other.window.get(), text);
        const QString damaged = other.dir.filePath(u"damaged.N35"_s);
        Write(damaged, "Save Date and Time\r\nTITLE:" + QByteArray(68, 'Z') + "\r\nFile End\r\n");
        OpenImageCommand(other.window->session(), other.window.get(), damaged);
        QCOMPARE(other.told(), (QStringList{u"This File couldn't be opened.|Error"_s,
                                            u"The file could not be loaded. Nothing was changed.|Error"_s}));
        QVERIFY(other.capture.messages.last().detail.contains(u"Line 2"_s));
        QCOMPARE(Snapshot(other), before);

        // A save that cannot be written says so.
        other.capture.messages.clear();
        SaveImageCommand(other.window->session(), other.window.get(),
                         other.dir.filePath(u"missing/folder.N35"_s));
        QCOMPARE(other.told(), QStringList{u"The file could not be saved.|Error"_s});
    }

    void csvFiles()
    {
        WindowRig rig;
        ChannelTable &table = rig.table();
        table.setCells(5, CallChannelDefaults(u"223.50000MHz"_s));
        table.setUsed(5, true);
        const QString path = rig.dir.filePath(u"list.csv"_s);
        ExportCsvCommand(rig.window->session(), rig.window.get(), path);
        table.clearRow(5);
        ImportCsvCommand(rig.window->session(), rig.window.get(), path);
        QCOMPARE(rig.told(), (QStringList{u"Save File|Finish"_s, u"Inport CSV File| Finish"_s}));
        QCOMPARE(table.cell(5, ColFrequency), u"223.50000MHz"_s);

        rig.capture.messages.clear();
        Write(rig.dir.filePath(u"other.csv"_s), "\"\",\"Frequency\"\r\n");
        ImportCsvCommand(rig.window->session(), rig.window.get(), rig.dir.filePath(u"other.csv"_s));
        ImportCsvCommand(rig.window->session(), rig.window.get(), rig.dir.filePath(u"list.txt"_s));
        QCOMPARE(rig.told(),
                 (QStringList{u"CSV File Error| Error"_s, u"This File couldn't be opened.|Error"_s}));
        QCOMPARE(table.cell(5, ColFrequency), u"223.50000MHz"_s);

        // Refused rows follow the "Finish" in a box of their own, the refused text named once.
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray content = file.readAll().replace("223.50000MHz", "260.00000MHz");
        file.close();
        Write(path, content);
        rig.capture.messages.clear();
        ImportCsvCommand(rig.window->session(), rig.window.get(), path);
        QCOMPARE(
            rig.told(),
            (QStringList{u"Inport CSV File| Finish"_s,
                         u"1 line was not imported:\nRow 5, the frequency: \"260.00000MHz\" lies outside "
                         u"216-250 MHz and 902-928 MHz (the row was emptied)|Import"_s}));
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
        SaveImageCommand(rig.window->session(), rig.window.get(), image);
        ExportCsvCommand(rig.window->session(), rig.window.get(), csv);
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
                OpenImageCommand(rig.window->session(), rig.window.get(), path);
            else
                ImportCsvCommand(rig.window->session(), rig.window.get(), path);
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
        ExportCsvCommand(rig.window->session(), rig.window.get(), csv);
        QFile file(csv);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = file.readAll().split('\n');
        file.close();
        Write(csv, lines.mid(0, 11).join('\n') + '\n');
        const QByteArray before = Snapshot(rig);
        rig.capture.messages.clear();
        ImportCsvCommand(rig.window->session(), rig.window.get(), csv);
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

    // The dialog asks about the name as typed; when the extension makes it another file that exists, the
    // question is asked about that one, and "No" saves nothing.
    void replacingTheFinalNameIsAsked()
    {
        QTemporaryDir dir;
        for (const char *name : {"radio.N35", "list.csv", "typed"})
            Write(dir.filePath(QString::fromLatin1(name)), "old");
        struct Case {
            const char *typed;
            const char *extension;
            bool answer;
            const char *saved; // empty: nothing saved
            const char *asked; // empty: no question
        };
        const Case cases[] = {
            {"radio", ".N35", true, "radio.N35", "radio.N35 already exists.\nDo you want to replace it?"},
            {"radio", ".N35", false, "", "radio.N35 already exists.\nDo you want to replace it?"},
            {"list", ".csv", false, "", "list.csv already exists.\nDo you want to replace it?"},
            {"radio.N35", ".N35", false, "radio.N35", ""}, // the dialog itself asked about this name
            {"new", ".N35", false, "new.N35", ""},
            {"typed", ".pdf", false, "typed.pdf", ""}, // "typed" exists, "typed.pdf" does not
        };
        for (const Case &c : cases) {
            MessageCapture capture;
            capture.answer = c.answer;
            const QString saved = ConfirmedSavePath(nullptr, dir.filePath(QString::fromLatin1(c.typed)),
                                                    QString::fromLatin1(c.extension));
            QCOMPARE(saved, *c.saved ? dir.filePath(QString::fromLatin1(c.saved)) : QString());
            QCOMPARE(capture.messages.size(), *c.asked ? 1 : 0);
            if (*c.asked) {
                QCOMPARE(capture.messages.first().text, QString::fromUtf8(c.asked));
                QVERIFY(capture.messages.first().question);
            }
        }
    }

    // Each kind of file opens where the last one of its kind was, else in the documents folder, never the
    // program's own folder; the choice outlives the window.
    void dialogsStartInTheLastFolder()
    {
        WindowRig rig;
        const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        const QString fallback = QFileInfo(documents).isDir() ? documents : QDir::homePath();
        for (const char *kind : {"N35", "CSV", "PDF"}) {
            QCOMPARE(rig.window->session().startFolder(QString::fromLatin1(kind)), fallback);
            QVERIFY(rig.window->session().startFolder(QString::fromLatin1(kind)) !=
                    QCoreApplication::applicationDirPath());
        }
        QVERIFY(QDir(rig.dir.path()).mkpath(u"images/二"_s));
        QVERIFY(QDir(rig.dir.path()).mkpath(u"lists"_s));
        rig.window->session().rememberFolder(u"N35"_s, rig.dir.filePath(u"images/二/radio.N35"_s));
        rig.window->session().rememberFolder(u"CSV"_s, rig.dir.filePath(u"lists/a.csv"_s));
        rig.window.reset();
        MainWindow again(&rig.port, rig.path);
        QCOMPARE(again.session().startFolder(u"N35"_s), rig.dir.filePath(u"images/二"_s));
        QCOMPARE(again.session().startFolder(u"CSV"_s), rig.dir.filePath(u"lists"_s));
        QCOMPARE(again.session().startFolder(u"PDF"_s), fallback);
        // A remembered folder that has gone is passed over.
        QVERIFY(QDir(rig.dir.filePath(u"lists"_s)).removeRecursively());
        QCOMPARE(again.session().startFolder(u"CSV"_s), fallback);
    }

    // The printed list and the PDF: one line per used row, in grid order, over as many pages as it takes.
    void printedListHasOneLinePerUsedRow()
    {
        WindowRig rig;
        CloneImage &image = rig.window->session().image();
        FillSampleImage(image);
        const QDateTime when(QDate(2026, 12, 1), QTime(12, 0));
        std::vector<int> used;
        for (int channel = 1; channel <= ChannelCount; ++channel) {
            if (image.channels.used(channel))
                used.push_back(channel);
        }
        QVERIFY(used.size() > 20);
        const QString path = rig.dir.filePath(u"list.pdf"_s);
        PrintedListing listing;
        QVERIFY(ExportChannelListingPdf(path, image, when, &listing));
        QCOMPARE(listing.pages.size(), std::size_t(1));
        QCOMPARE(listing.pages.front(), used);
        QFile pdf(path);
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        QVERIFY(pdf.read(5) == "%PDF-");

        // Every row used: several pages, none overfull, every row once.
        FillVariedChannels(image.channels, 1, ChannelCount);
        QVERIFY(ExportChannelListingPdf(path, image, when, &listing));
        QVERIFY(listing.pages.size() > 10);
        std::vector<int> printed;
        for (const std::vector<int> &page : listing.pages) {
            QVERIFY(!page.empty() && page.size() <= listing.pages.front().size());
            printed.insert(printed.end(), page.begin(), page.end());
        }
        QCOMPARE(int(printed.size()), ChannelCount);
        QVERIFY(std::is_sorted(printed.begin(), printed.end()));

        // Through the menu's command: told, and a file that cannot be written leaves no file.
        ExportPdfCommand(rig.window->session(), rig.window.get(), rig.dir.filePath(u"out.pdf"_s));
        ExportPdfCommand(rig.window->session(), rig.window.get(), rig.dir.filePath(u"missing/out.pdf"_s));
        QCOMPARE(rig.told(), (QStringList{u"Save File|Finish"_s, u"The file could not be saved.|Error"_s}));
        QVERIFY(QFileInfo(rig.dir.filePath(u"out.pdf"_s)).size() > 1000);
    }

    // What the list says of each row: only the tones and codes the sub-tone mode uses, the offset only
    // with a shift.
    void listingColumns()
    {
        ChannelTable table;
        LabelChannelRows(BankPartition(), table);
        struct Case {
            const char *type;
            const char *shift;
            const char *tones;
            const char *offset;
        };
        const Case cases[] = {
            {"None", "Off", "", ""},
            {"T/-", "-", "T/- 88.5Hz/-", "1.60000MHz"},
            {"T/T", "+", "T/T 88.5Hz/127.3Hz", "1.60000MHz"},
            {"T/R", "Off", "T/R 88.5Hz/127.3Hz", ""},
            {"D/D", "-", "D/D 023/754", "1.60000MHz"},
            {"-/D", "Off", "-/D -/754", ""},
            {"Train", "Off", "Train", ""},
        };
        int channel = 1;
        for (const Case &c : cases) {
            table.setCells(channel, {u"223.50000MHz"_s, u"FM"_s, u"20KHz"_s, QString::fromLatin1(c.type),
                                     u"88.5Hz"_s, u"127.3Hz"_s, u"023"_s, u"754"_s,
                                     QString::fromLatin1(c.shift), u"1.60000MHz"_s, u"*"_s, u"東京 \\1"_s});
            table.setUsed(channel, true);
            channel += 2; // empty rows between are left out
        }
        const std::vector<ListingRow> rows = ListingRows(table);
        QCOMPARE(rows.size(), std::size(cases) + 2); // and the two CALL channels, always there
        QCOMPARE(rows.back().label, u"CALL-900"_s);
        QCOMPARE(rows.front().label, u"Bank00-000"_s);
        QCOMPARE(rows.front().name, u"東京 \\1"_s);
        for (std::size_t i = 0; i < std::size(cases); ++i) {
            const ListingRow &row = rows[i];
            QCOMPARE(row.channel, int(i) * 2 + 1);
            QCOMPARE(row.label, table.label(row.channel).trimmed());
            QCOMPARE(row.tones, QString::fromLatin1(cases[i].tones));
            QCOMPARE(row.offset, QString::fromLatin1(cases[i].offset));
            QCOMPARE(ListingTexts(row).size(), ListingHeaders().size());
        }
    }
};

QTEST_MAIN(TestFileCommands)
#include "test_filecommands.moc"
