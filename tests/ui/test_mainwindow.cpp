// The main window: start-up state, the COMPort menu and its settings file, locking around radio commands.

#include "files/settingsfile.h"
#include "link/porterror.h"
#include "support/windowrig.h"
#include "ui/filecommands.h"
#include "ui/findbar.h"
#include "ui/splash.h"
#include "ui/unsavedchanges.h"

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
              "Export channel list...", "", "Print...", "Export PDF...", "", "Exit(&X)"}},
            {rig.find<QMenu>("Tusin_Botton"),
             {"Write All Data(&A)", "Read All Data(&B)", "Verify(&V)", "", "Back up the radio before writing",
              "Write every block, not only the changed ones", "", "Restore Backup...", "Open Backup Folder"}},
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

    // The window keeps the size the user gave it on every page in either language, a page that needs
    // more room scrolls, and it fits a 1024 x 768 screen.
    void windowKeepsItsSize()
    {
        WindowRig rig;
        MainWindow &window = *rig.window;
        QVERIFY(!window.windowIcon().isNull());
        const QSize smallest = window.minimumSizeHint().expandedTo(window.minimumSize());
        QVERIFY2(smallest.width() <= 1024 && smallest.height() <= 700,
                 qPrintable(u"%1 x %2"_s.arg(smallest.width()).arg(smallest.height())));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        for (const QSize size : {window.size(), QSize(1024, 700)}) {
            window.resize(size);
            QCoreApplication::processEvents();
            for (const Language language : {Language::English, Language::Japanese}) {
                window.session().image().settings.setIndex(SetModeSettings::LanguageOption, int(language));
                for (const int page : {2, 3, 4, 1, 3}) {
                    window.switchPage(page);
                    QCoreApplication::processEvents();
                    QCOMPARE(window.currentPage(), page);
                    QCOMPARE(window.size(), size);
                }
            }
        }
        // At 1024 x 700 the memory page (with its find bar open), the bank and common pages show whole in
        // width: only set mode may scroll.
        rig.page()->findBar()->openFind();
        for (int page = 1; page <= 3; ++page) {
            window.switchPage(page);
            QCoreApplication::processEvents();
            const auto *scroll = rig.find<QScrollArea>(u"PageScroll_%1"_s.arg(page - 1));
            QVERIFY(scroll);
            QVERIFY2(!scroll->horizontalScrollBar()->isVisible(), qPrintable(u"page %1"_s.arg(page)));
        }
    }

    void portFromSettings()
    {
        const std::pair<QByteArray, int> files[] = {{"Save Date\r\nCOMPORT:07\r\nFile End\r\n", 7},
                                                    {"Save Date\r\nFile End\r\n", 1},
                                                    {QByteArray(), 1}}; // no file at all
        for (const auto &[settings, port] : files) {
            WindowRig rig(settings);
            QCOMPARE(checkedPorts(rig), QList<int>{port});
            QCOMPARE(rig.window->session().link().portNumber(), port);
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
        QCOMPARE(ProgramSettings::read(rig.path).port, 3);
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
            SaveImageCommand(rig.window->session(), rig.window.get(), saved.constLast());
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
        QVERIFY(!restarted.session().settings().automaticShift);

        // Choosing one opens it; "Clear" empties the list, in the settings file too.
        MessageCapture capture;
        menu->actions().at(1)->trigger();
        QCOMPARE(capture.messages.constLast().text, u"Read File"_s);
        QCOMPARE(restarted.windowTitle(), u"radio8.N35[*] - HV-N35 Clone Utility Ver.1.00"_s);
        QCOMPARE(restarted.findChild<QAction *>(u"EditUndo"_s)->text(), u"Undo Open"_s);
        restarted.findChild<QAction *>(u"FileRecentClear"_s)->trigger();
        QVERIFY(ProgramSettings::read(rig.path).recent.paths().isEmpty());
        QVERIFY(!ProgramSettings::read(rig.path).automaticShift);
        QVERIFY(restarted.findChild<QAction *>(u"FileRecentNone"_s)->isVisible());
    }

    void lockAndUnlock()
    {
        WindowRig rig;
        // The page's buttons, its grid and all within (the find bar too), the tab strip and the reset button.
        QWidgetList widgets = rig.page()->findChildren<QWidget *>();
        widgets << rig.find<QTabBar>("TabStrip1") << rig.find<QWidget>("cmdZQRESET");
        QVERIFY(widgets.contains(rig.page()->grid()) &&
                rig.page()->findChildren<QPushButton *>(Qt::FindDirectChildrenOnly).size() == 8);
        auto *percent = rig.find<QLineEdit>("Progress");
        rig.window->session().progress().start(3);
        rig.window->session().progress().advance();
        rig.window->session().progress().advance();
        QCOMPARE(percent->text(), u"66%"_s);
        auto check = [&](bool lock) {
            QCOMPARE(rig.window->session().isBusy(), lock);
            for (const char *menu : {"File", "MenuEdit", "MenuComPort", "Tusin_Botton", "MenuHelp"})
                QVERIFY2(rig.find<QMenu>(menu)->menuAction()->isEnabled() != lock, menu);
            for (QWidget *widget : widgets)
                QVERIFY2(widget->isEnabled() != lock, qPrintable(widget->objectName()));
            QCOMPARE(percent->text(), u"0%"_s);
            QCOMPARE(rig.port.isOpen(), lock);
        };
        rig.window->session().runRadioCommand([&] {
            rig.port.open(1);
            check(true);
            return TransferOutcome::success();
        });
        check(false);
        QVERIFY(rig.find<QAction>("FileOpen")->isEnabled() && rig.find<QAction>("ALL_READ")->isEnabled());
    }

    void radioCommandLocksAndReportsPortError()
    {
        WindowRig rig;
        rig.window->show();
        bool lockedInside = false;
        bool closedInside = true;
        RunRadioCommand(rig.window->session(), rig.window.get(),
                        [&]() -> TransferOutcome {
                            lockedInside = rig.window->session().isBusy();
                            closedInside = rig.window->close(); // refused while locked
                            throw PortError(u"x"_s);
                        },
                        {});
        QVERIFY(lockedInside && !closedInside && !rig.window->session().isBusy());
        QCOMPARE(rig.told(), QStringList{u"Port Error| Error"_s});
        QCOMPARE(rig.capture.messages[0].detail, u"x"_s);
        QVERIFY(rig.window->close());
    }

    void unsavedChangesAreAskedAbout_data()
    {
        QTest::addColumn<QString>("how"); // close, exit (File > Exit), open (File > Open), save (the
                                          // question's Save with a file), failing save
        QTest::addColumn<bool>("edited");
        QTest::addColumn<int>("choice");  // SaveChoice
        QTest::addColumn<bool>("goesOn"); // the window closed / the command went on
        const auto row = [](const char *tag, const char *how, bool edited, SaveChoice choice, bool goesOn) {
            QTest::newRow(tag) << QString::fromLatin1(how) << edited << int(choice) << goesOn;
        };
        row("close, nothing changed", "close", false, SaveChoice::Cancel, true);
        row("close, cancel", "close", true, SaveChoice::Cancel, false);
        row("close, discard", "close", true, SaveChoice::Discard, true);
        row("exit, cancel", "exit", true, SaveChoice::Cancel, false);
        row("exit, discard", "exit", true, SaveChoice::Discard, true);
        row("open, cancel", "open", true, SaveChoice::Cancel, false);
        row("save", "save", true, SaveChoice::Save, true);
        row("save that fails", "failing save", true, SaveChoice::Save, false);
    }
    void unsavedChangesAreAskedAbout()
    {
        QFETCH(QString, how);
        QFETCH(bool, edited);
        QFETCH(int, choice);
        QFETCH(bool, goesOn);
        WindowRig rig;
        rig.window->show();
        QVERIFY(rig.window->session().isClean() && !rig.window->isWindowModified());
        OpeningTitle &title = rig.window->session().image().title;
        if (edited) {
            title.setText(u"EDITED"_s);
            QTRY_VERIFY(rig.window->isWindowModified());
        }
        rig.capture.saveChoice = static_cast<SaveChoice>(choice);
        const QString saved = rig.dir.filePath(how == u"save"_s ? u"saved.N35"_s : u"no/such/folder/x.N35"_s);
        bool wentOn = false;
        if (how == u"close"_s) {
            wentOn = rig.window->close();
        } else if (how == u"exit"_s) {
            auto *exit = rig.find<QAction>("FileExit");
            QCOMPARE(exit->shortcut(), QKeySequence(u"Ctrl+Q"_s));
            exit->trigger();
            wentOn = !rig.window->isVisible();
        } else if (how == u"open"_s) {
            rig.find<QAction>("FileOpen")->trigger(); // Cancel: no file dialog follows
            wentOn = title.text() != u"EDITED"_s;
        } else {
            wentOn = ConfirmUnsavedChanges(rig.window->session(), rig.window.get(), u"closing"_s, [&] {
                SaveImageCommand(rig.window->session(), rig.window.get(), saved);
            });
            QCOMPARE(QFileInfo::exists(saved), goesOn);
        }
        QCOMPARE(wentOn, goesOn);
        const QString question =
            u"The data has changes that were not saved. Save them before %1?|Caution"_s.arg(
                how == u"open"_s ? u"opening another file"_s : u"closing"_s);
        QCOMPARE(rig.told().value(0), edited ? question : QString());
        // Only a save makes the window clean; a cancel keeps the changes and the mark.
        const bool clean = !edited || how == u"save"_s;
        QCOMPARE(rig.window->session().isClean(), clean);
        QCOMPARE(rig.window->isWindowModified(), !clean);
    }

    void readingAndUndoingSetTheModifiedMark()
    {
        WindowRig rig;
        rig.window->show();
        OpeningTitle &title = rig.window->session().image().title;
        title.setText(u"EDITED"_s);
        QTRY_VERIFY(rig.window->isWindowModified());
        rig.find<QAction>("EditUndo")->trigger();
        QVERIFY(rig.window->session().isClean() && !rig.window->isWindowModified());
        rig.find<QAction>("EditRedo")->trigger();
        QVERIFY(!rig.window->session().isClean() && rig.window->isWindowModified());
        // The radio's image as read is clean; so is the image just written to it.
        rig.window->ALL_READ_Click();
        QCOMPARE(rig.told().last(), u"ALL read successed.| Finish"_s);
        QVERIFY(rig.window->session().isClean() && !rig.window->isWindowModified());
        title.setText(u"EDITED"_s);
        QTRY_VERIFY(rig.window->isWindowModified());
        rig.window->session().setBackupBeforeWriting(false);
        rig.window->ALL_WRITE_Click();
        QCOMPARE(rig.told().last(), u"ALL write successed.| Finish"_s);
        QVERIFY(rig.window->session().isClean() && !rig.window->isWindowModified());
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
