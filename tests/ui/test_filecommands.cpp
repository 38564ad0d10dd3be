// The File menu's commands on a window: what the user is told, and that a file the program cannot take
// changes nothing.

#include "files/imagefile.h"
#include "support/emulatorwindow.h"
#include "support/windowrig.h"
#include "ui/filecommands.h"

#include <QtTest>
#include <QtWidgets>

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
