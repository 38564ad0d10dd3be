// The main window: start-up state, the COMPort menu and its settings file, locking around radio commands.

#include "files/recentfiles.h"
#include "link/porterror.h"
#include "support/windowrig.h"
#include "ui/filecommands.h"
#include "ui/splash.h"

#include <QtTest>
#include <QtWidgets>

using namespace n35;
using namespace Qt::StringLiterals;
using testing::WindowRig;

static QList<int> checkedPorts(const WindowRig &rig)
{
    QList<int> checked;
    for (int n = 1; n <= 16; ++n)
        if (rig.find<QAction>(u"MenuSetCom_%1"_s.arg(n))->isChecked())
            checked << n;
    return checked;
}

class TestMainWindow : public QObject
{
    Q_OBJECT
private slots:
    void startUp()
    {
        WindowRig rig;
        QCOMPARE(rig.window->windowTitle(), u"HV-N35 Clone Utility Ver.1.00[*]"_s);
        const std::pair<QWidget *, QStringList> menus[] = {
            {rig.window->menuBar(), {"File(&F)", "Edit(&E)", "COMPort(&C)", "Communication(&T)", "Help(&H)"}},
            {rig.find<QMenu>("MenuEdit"),
             {"Undo", "Redo", "", "Cut", "Copy", "Paste", "", "Move Up", "Move Down", "",
              "Sort Selected Rows", "Insert Empty Row", "Delete and Shift Up", "Find Duplicates", "",
              "Automatic repeater shift"}},
            {rig.find<QMenu>("EditSort"), {"By Frequency", "By Name"}},
            {rig.find<QMenu>("File"),
             {"Open(&O)", "Open Recent", "Save(&S)", "Import(&I)", "Export(&E)", "", "Import channel list...",
              "Export channel list..."}},
            {rig.find<QMenu>("Tusin_Botton"),
             {"Write All Data(&A)", "Read All Data(&B)", "Verify(&V)", "",
              "Back up the radio before writing"}},
            {rig.find<QMenu>("MenuHelp"), {"Version Infomation(&A)"}},
            {rig.find<QMenu>("FileOpenRecent"), {"No recent files", "", "Clear"}}};
        for (const auto &[holder, captions] : menus) {
            QStringList texts;
            for (const QAction *action : holder->actions()) {
                if (action->isVisible())
                    texts << action->text();
            }
            QCOMPARE(texts, captions);
        }
        auto *tabs = rig.find<QTabBar>("TabStrip1");
        QStringList tabTexts;
        for (int tab = 0; tab < tabs->count(); ++tab)
            tabTexts << tabs->tabText(tab);
        QCOMPARE(tabTexts, (QStringList{"Memory", "Bank", "Common Set", "Set Mode"}));
    }

    void portFromSettings()
    {
        const std::pair<QByteArray, int> files[] = {{"Save Date\r\nCOMPORT:07\r\nFile End\r\n", 7},
                                                    {"Save Date\r\nFile End\r\n", 1},
                                                    {QByteArray(), 1}}; // no file at all
        for (const auto &[settings, port] : files) {
            WindowRig rig(settings);
            QCOMPARE(checkedPorts(rig), QList<int>{port});
            QCOMPARE(rig.window->radioLink().portNumber(), port);
        }
    }

    void choosingPortRewritesSettingsAndClosesPort()
    {
        WindowRig rig("COMPORT:07\r\nFile End\r\n");
        rig.port.open(7);
        rig.find<QAction>("MenuSetCom_3")->trigger();
        rig.find<QAction>("MenuSetCom_3")->trigger(); // choosing the checked item again keeps it checked
        QCOMPARE(checkedPorts(rig), QList<int>{3});
        QVERIFY(!rig.port.isOpen());
        QCOMPARE(ReadPortSetting(rig.path).port, 3);
        rig.click("cmdZQRESET"); // the reset goes out on the chosen port
        QCOMPARE(rig.port.lastPortNumber(), 3);
        QCOMPARE(rig.port.writes(), QList<QByteArray>{"ZQ~RESET\r"});
        QCOMPARE(rig.unlockedWrites, 0);
        QVERIFY(rig.dir.remove()); // nowhere left to save
        rig.window->MenuSetCom_Click(5);
        QCOMPARE(rig.told(), QStringList{u"Settings file could not be saved.|Error"_s});
    }

    // The clone images opened or saved last head File > "Open Recent" and name the window; the list and
    // "Automatic repeater shift" come back after a restart through the settings file.
    void recentFilesAndOptionsSurviveARestart()
    {
        WindowRig rig;
        QVERIFY(rig.find<QAction>("AutoShift")->isChecked()); // on without a line in the settings file
        QStringList saved;
        for (int i = 1; i <= 9; ++i) {
            // Spaces, kanji and a percent sign survive the ASCII settings file.
            saved << rig.dir.filePath(i == 9 ? u"無線 100% 機.N35"_s : u"radio%1.N35"_s.arg(i));
            SaveImageCommand(*rig.window, saved.constLast());
        }
        rig.find<QAction>("AutoShift")->trigger();
        QCOMPARE(rig.window->windowTitle(), u"無線 100% 機.N35[*] - HV-N35 Clone Utility Ver.1.00"_s);
        QCOMPARE(rig.window->windowFilePath(), saved.constLast());
        QVERIFY(QFile::remove(saved.at(5)));

        MainWindow restarted(&rig.port, rig.path);
        auto *menu = restarted.findChild<QMenu *>(u"FileOpenRecent"_s);
        emit menu->aboutToShow();
        QStringList listed;
        QList<bool> enabled;
        for (const QAction *action : menu->actions()) {
            if (action->isVisible() && !action->data().toString().isEmpty()) {
                listed << action->data().toString();
                enabled << action->isEnabled();
            }
        }
        QStringList newestFirst = saved.mid(1); // the first of nine fell off the end
        std::reverse(newestFirst.begin(), newestFirst.end());
        QCOMPARE(listed, newestFirst);
        QCOMPARE(enabled, (QList<bool>{true, true, true, false, true, true, true, true})); // radio6 is gone
        QVERIFY(menu->actions().constFirst()->text().startsWith(u"&1 無線 100% 機.N35\t"_s));
        QVERIFY(!restarted.automaticShift());

        // Choosing one opens it; "Clear" empties the list, in the settings file too.
        MessageCapture capture;
        menu->actions().at(1)->trigger();
        QCOMPARE(capture.messages.constLast().text, u"Read File"_s);
        QCOMPARE(restarted.windowTitle(), u"radio8.N35[*] - HV-N35 Clone Utility Ver.1.00"_s);
        QCOMPARE(restarted.findChild<QAction *>(u"EditUndo"_s)->text(), u"Undo Open"_s);
        restarted.findChild<QAction *>(u"FileRecentClear"_s)->trigger();
        QVERIFY(RecentFiles::read(rig.path).paths().isEmpty());
        QVERIFY(!ReadAutoShiftSetting(rig.path));
        QVERIFY(restarted.findChild<QAction *>(u"FileRecentNone"_s)->isVisible());
    }

    void lockAndUnlock()
    {
        WindowRig rig;
        // The page's buttons, its grid and all within, the tab strip and the reset button.
        QWidgetList widgets = rig.page()->findChildren<QWidget *>();
        widgets << rig.find<QTabBar>("TabStrip1") << rig.find<QWidget>("cmdZQRESET");
        QVERIFY(widgets.contains(rig.page()->grid()) &&
                rig.page()->findChildren<QPushButton *>().size() == 8);
        auto *percent = rig.find<QLineEdit>("Progress");
        rig.window->progress().start(3);
        rig.window->progress().advance();
        rig.window->progress().advance();
        QCOMPARE(percent->text(), u"66%"_s);
        rig.port.open(1);
        for (bool lock : {true, false}) {
            lock ? rig.window->LockControls() : rig.window->UnlockControls();
            QCOMPARE(rig.window->isLocked(), lock);
            for (const char *menu : {"File", "MenuComPort", "Tusin_Botton", "MenuHelp"})
                QVERIFY2(rig.find<QMenu>(menu)->menuAction()->isEnabled() != lock, menu);
            for (QWidget *widget : widgets)
                QVERIFY2(widget->isEnabled() != lock, qPrintable(widget->objectName()));
            QCOMPARE(percent->text(), u"0%"_s);
            QCOMPARE(rig.port.isOpen(), lock);
        }
        QVERIFY(rig.find<QAction>("FileOpen")->isEnabled() && rig.find<QAction>("ALL_READ")->isEnabled());
    }

    void radioCommandLocksAndReportsPortError()
    {
        WindowRig rig;
        rig.window->show();
        bool lockedInside = false;
        bool closedInside = true;
        rig.window->runRadioCommand([&] {
            lockedInside = rig.window->isLocked();
            closedInside = rig.window->close(); // refused while locked
            throw PortError(u"x"_s);
        });
        QVERIFY(lockedInside && !closedInside && !rig.window->isLocked());
        QCOMPARE(rig.told(), QStringList{u"Port Error| Error"_s});
        QCOMPARE(rig.capture.messages[0].detail, u"x"_s);
        QVERIFY(rig.window->close());
    }

    void splashEndsOnKeyPress()
    {
        SplashWindow splash;
        QSignalSpy finished(&splash, &SplashWindow::finished);
        splash.show();
        QTest::keyClick(&splash, Qt::Key_Space);
        QCOMPARE(finished.count(), 1);
        QVERIFY(!splash.isVisible() && !splash.timer()->isActive());
    }
};

QTEST_MAIN(TestMainWindow)
#include "test_mainwindow.moc"
