// "Write All Data" and "Read All Data" through the chosen COM port bound to the emulator, and the clone
// image file of what was read: everything the program holds for a radio survives the round trip.

#include "emulator/emulatorsession.h"
#include "files/imagefile.h"
#include "support/channelfixtures.h"
#include "support/emulatorwindow.h"
#include "ui/filecommands.h"
#include "ui/mainwindow.h"
#include "ui/messages.h"

#include <QAction>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace n35;

class WholeRadioEndToEndTest : public QObject
{
    Q_OBJECT
private slots:
    void writeAllReadAllSaveAndLoad();
};

void WholeRadioEndToEndTest::writeAllReadAllSaveAndLoad()
{
    QTemporaryDir dir;
    n35emu::EmulatorSession radio({}, 9);
    QString error;
    QVERIFY2(radio.start(&error), qPrintable(error));

    MessageCapture capture;
    auto openWindow = [&](const char *settings) {
        auto window = std::make_unique<MainWindow>(nullptr, dir.filePath(QString::fromLatin1(settings)));
        window->portResolver().setLinkDirectory(radio.linkDirectory());
        window->portResolver().setSystemDevices({});
        window->MenuSetCom_Click(9);
        return window;
    };

    auto writer = openWindow("writer.INI");
    writer->setBackupBeforeWriting(false); // an erased radio cannot be read whole, so it cannot be backed up
    testing::VaryImage(writer->cloneImage());
    writer->findChild<QAction *>(QStringLiteral("ALL_WRITE"))->trigger();
    const QByteArray written =
        testing::ImageSnapshot(writer->cloneImage(), dir.filePath(QStringLiteral("written.N35")));

    auto reader = openWindow("reader.INI");
    reader->findChild<QAction *>(QStringLiteral("ALL_READ"))->trigger();
    QStringList told;
    for (const CapturedMessage &message : capture.messages)
        told << message.text + QLatin1Char('|') + message.title;
    QCOMPARE(told, (QStringList{QStringLiteral("ALL write successed.| Finish"),
                                QStringLiteral("ALL read successed.| Finish")}));
    QCOMPARE(testing::ImageSnapshot(reader->cloneImage(), dir.filePath(QStringLiteral("read.N35"))), written);

    // "Save", then "Open" in a third window: the same image again.
    const QString saved = dir.filePath(QStringLiteral("saved.N35"));
    SaveImageCommand(*reader, saved);
    auto loader = openWindow("loader.INI");
    OpenImageCommand(*loader, saved);
    QCOMPARE(capture.messages.last().text, QStringLiteral("Read File"));
    QCOMPARE(testing::ImageSnapshot(loader->cloneImage(), dir.filePath(QStringLiteral("loaded.N35"))),
             written);

    // "Verify": the radio matches the image read from it; after an edit it differs in that channel.
    capture.messages.clear();
    reader->findChild<QAction *>(QStringLiteral("Verify"))->trigger();
    reader->cloneImage().channels.setCell(17, ColName, QStringLiteral("EDITED"));
    reader->findChild<QAction *>(QStringLiteral("Verify"))->trigger();
    QCOMPARE(capture.messages.at(0).text, QStringLiteral("Radio matches."));
    QCOMPARE(capture.messages.at(1).text, QStringLiteral("The radio differs from the window in 1 place(s)."));
    QVERIFY2(capture.messages.at(1).detail.startsWith(QStringLiteral("channels, channel 17 (Bank00-016)")),
             qPrintable(capture.messages.at(1).detail));

    // With the backup on, the radio's contents before the write land in a file that loads back to them.
    capture.messages.clear();
    QVERIFY(reader->backupBeforeWriting());
    reader->findChild<QAction *>(QStringLiteral("ALL_WRITE"))->trigger();
    QCOMPARE(capture.messages.last().text, QStringLiteral("ALL write successed."));
    const QString backup = capture.messages.last().detail.section(QStringLiteral(": "), 1);
    QVERIFY2(QFile::exists(backup), qPrintable(backup));
    auto restored = openWindow("restored.INI");
    OpenImageCommand(*restored, backup);
    QCOMPARE(testing::ImageSnapshot(restored->cloneImage(), dir.filePath(QStringLiteral("restored.N35"))),
             written);
    QFile::remove(backup);
}

QTEST_MAIN(WholeRadioEndToEndTest)
#include "test_wholeradio_e2e.moc"
