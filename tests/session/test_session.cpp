// The Session without a window: radio commands and the busy state, the history and the clean mark
// around open and save, and the settings it keeps.

#include "emulator/radiocore.h"
#include "link/porterror.h"
#include "session/session.h"
#include "support/channelfixtures.h"
#include "support/fakeradioport.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using namespace n35;
using namespace Qt::StringLiterals;

class SessionTest : public QObject
{
    Q_OBJECT

private slots:
    // However a command ends, the session is busy only while it runs, the port is closed after it, and
    // what it changed is one undo step under its name. A failure comes back as the message to show.
    void radioCommands_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("detail");
        QTest::newRow("done") << u"done"_s << QString() << QString();
        QTest::newRow("port error") << u"port error"_s << u"Port Error"_s << u"cable pulled"_s;
        QTest::newRow("other failure") << u"exception"_s << u"Port Error"_s << u"bad_alloc"_s;
        QTest::newRow("inside another") << u"nested"_s << u"Port Error"_s << u"Another transfer"_s;
    }
    void radioCommands()
    {
        QFETCH(QString, how);
        QFETCH(QString, text);
        QFETCH(QString, detail);
        n35emu::RadioCore radio;
        FakeRadioPort port;
        port.setResponder([&](const QByteArray &written) { return testing::Answer(radio, written); });
        Session session(&port);
        session.startHistory();
        QSignalSpy busy(&session, &Session::busyChanged);
        TransferOutcome inner;
        const TransferOutcome outcome = session.runRadioCommand(
            [&]() -> TransferOutcome {
                port.open(1);
                session.image().channels.setCell(3, ColName, u"INSIDE"_s);
                if (how == u"port error")
                    throw PortError(u"cable pulled"_s);
                if (how == u"exception")
                    throw std::bad_alloc();
                if (how == u"nested")
                    return session.runRadioCommand([] { return TransferOutcome::success(); });
                return TransferOutcome::success();
            },
            u"Test step"_s);
        QCOMPARE(outcome.ok, text.isEmpty());
        QCOMPARE(outcome.message.text, text);
        QVERIFY2(outcome.message.detail.contains(detail), qPrintable(outcome.message.detail));
        QCOMPARE(busy.count(), 2);
        QVERIFY(busy.at(0).at(0).toBool() && !busy.at(1).at(0).toBool() && !session.isBusy());
        QVERIFY(!port.isOpen());
        QCOMPARE(session.history().undoName(), u"Test step"_s);
        QVERIFY(!session.isClean());
        QVERIFY(session.undo() && session.image().channels.cell(3, ColName).isEmpty() && session.isClean());
    }

    // Open and save move the clean mark and name the file; a file that is refused changes nothing.
    void openAndSave()
    {
        QTemporaryDir dir;
        const QString settings = dir.filePath(u"HVN35Writer.INI"_s);
        const QString path = dir.filePath(u"radio.N35"_s);
        Session writer(nullptr, settings);
        testing::FillVariedChannels(writer.image().channels, 1, 20);
        QVERIFY(!writer.isClean());
        QVERIFY(writer.save(path));
        QVERIFY(writer.isClean());
        QCOMPARE(writer.filePath(), path);
        QCOMPARE(writer.settings().recent.paths(), QStringList{path});

        Session reader(nullptr, settings);
        QCOMPARE(reader.settings().recent.paths(), QStringList{path}); // kept in the settings file
        QVERIFY(reader.open(path));
        QVERIFY(reader.isClean());
        QCOMPARE(reader.image().channels.cell(20, ColFrequency),
                 writer.image().channels.cell(20, ColFrequency));
        QCOMPARE(reader.history().undoName(), u"Open"_s);

        const QString broken = dir.filePath(u"broken.N35"_s);
        QFile file(broken);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("nothing a clone image holds\r\n") > 0);
        file.close();
        const Result<LoadNotices> refused = reader.open(broken);
        QVERIFY(!refused && refused.problem().kind == ProblemKind::NotThisFormat);
        QCOMPARE(reader.filePath(), path);
        QCOMPARE(reader.image().channels.cell(20, ColFrequency),
                 writer.image().channels.cell(20, ColFrequency));
        QVERIFY(!reader.save(dir.filePath(u"no/such/folder/x.N35"_s)));
        QCOMPARE(reader.filePath(), path);
    }

    // What the user chooses is kept for the next start; a settings file that cannot be written is said.
    void settingsAreKept()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"HVN35Writer.INI"_s);
        {
            Session session(nullptr, path);
            session.setPortNumber(7);
            session.setBackupBeforeWriting(false);
            session.setAutomaticShift(false);
            session.rememberFolder(u"CSV"_s, dir.filePath(u"list.csv"_s));
        }
        Session again(nullptr, path);
        QCOMPARE(again.link().portNumber(), 7);
        QVERIFY(!again.settings().backupBeforeWriting && !again.settings().automaticShift);
        QCOMPARE(again.startFolder(u"CSV"_s), dir.path());

        Session nowhere(nullptr, dir.filePath(u"missing/HVN35Writer.INI"_s));
        QSignalSpy failed(&nowhere, &Session::settingsNotSaved);
        nowhere.setPortNumber(3);
        QCOMPARE(failed.count(), 1);
        QCOMPARE(nowhere.link().portNumber(), 3); // the choice holds for this run
    }
};

QTEST_GUILESS_MAIN(SessionTest)
#include "test_session.moc"
