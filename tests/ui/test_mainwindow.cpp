#include "link/fakeradioport.h"
#include "link/porterror.h"
#include "ui/mainwindow.h"
#include "ui/messages.h"
#include "ui/splash.h"
#include "ui/versiondialog.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>
#include <stdexcept>

using namespace n35;
using namespace Qt::StringLiterals;

namespace
{

// A window on a fake line, with its settings file in a private folder and no real serial devices.
struct Rig {
    explicit Rig(const QByteArray &settings = {}, bool writeSettings = true)
    {
        path = dir.filePath(u"HVN35Writer.INI"_s);
        if (QFile file(path); writeSettings && file.open(QIODevice::WriteOnly))
            file.write(settings);
        window = std::make_unique<MainWindow>(&port, path);
        window->portResolver().setLinkDirectory(dir.path());
        window->portResolver().setSystemDevices({});
    }
    template <typename T> T *find(const QString &name) const { return window->findChild<T *>(name); }
    QAction *comItem(int n) const { return find<QAction>(u"MenuSetCom_%1"_s.arg(n)); }
    QList<int> checkedPorts() const
    {
        QList<int> checked;
        for (int n = 1; n <= 16; ++n) {
            if (comItem(n)->isChecked())
                checked << n;
        }
        return checked;
    }

    QTemporaryDir dir;
    QString path;
    FakeRadioPort port;
    std::unique_ptr<MainWindow> window;
};

struct MenuRow {
    const char *name;
    const char *menu; // nullptr: on the menu bar
    const char *caption;
    bool enabled;
};
const MenuRow Menus[] = {
    {"File", nullptr, "File(&F)", true},
    {"FileOpen", "File", "Open(&O)", false},
    {"FileSave", "File", "Save(&S)", false},
    {"Inport", "File", "Import(&I)", false},
    {"Export", "File", "Export(&E)", false},
    {"MenuComPort", nullptr, "COMPort(&C)", true},
    {"Tusin_Botton", nullptr, "Communication(&T)", true},
    {"ALL_WRITE", "Tusin_Botton", "Write All Data(&A)", false},
    {"ALL_READ", "Tusin_Botton", "Read All Data(&B)", false},
    {"MenuHelp", nullptr, "Help(&H)", true},
    {"MenuVersion", "MenuHelp", "Version Infomation(&A)", true},
};

const QStringList LockedMenus = {"File", "MenuComPort", "MenuHelp", "Tusin_Botton"};

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT
private slots:
    void captionAndPages()
    {
        Rig rig;
        QCOMPARE(rig.window->windowTitle(), u"HV-N35 Clone Utility Ver.1.00"_s);
        auto *tabs = rig.find<QTabBar>(u"TabStrip1"_s);
        const QStringList tabTexts = {"Memory", "Bank", "Common Set", "Set Mode"};
        const QStringList captions = {"Memory", "Bank Setting", "Common Setting", "Set Mode"};
        QCOMPARE(tabs->count(), 4);
        QCOMPARE(rig.window->currentPage(), 1);
        // Page 1 first again at the end: the start-up page must be reachable by a switch too.
        for (int tab : {1, 2, 3, 0}) {
            tabs->setCurrentIndex(tab);
            QCOMPARE(tabs->tabText(tab), tabTexts[tab]);
            QCOMPARE(rig.window->currentPage(), tab + 1);
            for (int i = 0; i < 4; ++i) {
                auto *frame = rig.find<QGroupBox>(u"A_FRAME_%1"_s.arg(i));
                QCOMPARE(frame, rig.window->pageFrame(i));
                QCOMPARE(frame->title(), captions[i]);
                QCOMPARE(frame->isVisibleTo(rig.window.get()), i == tab);
                QCOMPARE(frame->isEnabled(), i == tab);
            }
        }
    }

    void menus()
    {
        Rig rig;
        for (const MenuRow &row : Menus) {
            QAction *action = nullptr;
            if (!row.menu) {
                auto *menu = rig.find<QMenu>(row.name);
                QVERIFY2(menu && menu->title() == row.caption, row.name);
                action = menu->menuAction();
                QVERIFY2(rig.window->menuBar()->actions().contains(action), row.name);
            } else {
                action = rig.find<QAction>(row.name);
                QVERIFY2(action && action->text() == row.caption, row.name);
                QVERIFY2(rig.find<QMenu>(row.menu)->actions().contains(action), row.name);
            }
            QVERIFY2(action->isEnabled() == row.enabled, row.name);
        }
    }

    void portFromSettings_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("fileExists");
        QTest::addColumn<int>("port");
        QTest::newRow("COMPORT:07") << QByteArray("Save Date\r\nCOMPORT:07\r\nFile End\r\n") << true << 7;
        QTest::newRow("COMPORT:16") << QByteArray("COMPORT:16\r\nFile End\r\n") << true << 16;
        QTest::newRow("no COMPORT line") << QByteArray("Save Date\r\nFile End\r\n") << true << 1;
        QTest::newRow("missing file") << QByteArray() << false << 1;
    }
    void portFromSettings()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, fileExists);
        QFETCH(int, port);
        Rig rig(content, fileExists);
        QCOMPARE(rig.find<QMenu>(u"MenuComPort"_s)->actions().size(), 16);
        QCOMPARE(rig.checkedPorts(), QList<int>{port});
        QCOMPARE(rig.window->radioLink().portNumber(), port);
    }

    void portItemsShowDevicesWhenMenuOpens()
    {
        Rig rig;
        // A cable plugged in and a link made after start-up.
        rig.window->portResolver().setSystemDevices({u"/dev/ttyUSB0"_s});
        QVERIFY(QFile::link(u"/dev/null"_s, rig.dir.filePath(u"com2"_s)));
        emit rig.find<QMenu>(u"MenuComPort"_s)->aboutToShow();
        const QStringList expected = {"COM1\t/dev/ttyUSB0", "COM2\t/dev/null", "COM3\tnot connected"};
        for (int n = 1; n <= 3; ++n)
            QCOMPARE(rig.comItem(n)->text(), expected[n - 1]);
    }

    void choosingPortSavesSettingsAndClosesLine()
    {
        Rig rig("COMPORT:07\r\nFile End\r\n");
        MessageCapture capture;
        rig.port.open(7);
        rig.comItem(3)->trigger();
        QCOMPARE(rig.checkedPorts(), QList<int>{3});
        QCOMPARE(rig.window->radioLink().portNumber(), 3);
        QVERIFY(!rig.port.isOpen());
        QCOMPARE(ReadPortSetting(rig.path).port, 3);
        QVERIFY(capture.messages.isEmpty());
        // Choosing the checked item again must not leave the menu without a check.
        rig.comItem(3)->trigger();
        QCOMPARE(rig.checkedPorts(), QList<int>{3});
    }

    void unsavableSettingsAreReported()
    {
        QTemporaryDir dir;
        FakeRadioPort port;
        MainWindow window(&port, dir.filePath(u"missing/folder/HVN35Writer.INI"_s));
        MessageCapture capture;
        window.MenuSetCom_Click(5);
        QCOMPARE(capture.messages.size(), 1);
        QCOMPARE(capture.messages[0].text, u"Settings file could not be saved."_s);
        QCOMPARE(capture.messages[0].title, u"Error"_s);
        QVERIFY(!capture.messages[0].detail.isEmpty());
    }

    void lockAndUnlock()
    {
        Rig rig;
        QPushButton pageButton;
        QWidget grid;
        rig.window->registerCommandWidget(&pageButton);
        rig.window->registerGrid(&grid);
        const QList<QWidget *> widgets = {rig.find<QTabBar>(u"TabStrip1"_s), &grid, &pageButton,
                                          rig.find<QPushButton>(u"cmdZQRESET"_s)};
        rig.window->progress().start(2);
        rig.window->progress().advance();
        rig.port.open(1);

        for (bool lock : {true, false}) {
            lock ? rig.window->LockControls() : rig.window->UnlockControls();
            QCOMPARE(rig.window->isLocked(), lock);
            for (const QString &menu : LockedMenus)
                QVERIFY2(rig.find<QMenu>(menu)->menuAction()->isEnabled() == !lock, qPrintable(menu));
            for (QWidget *widget : widgets)
                QVERIFY2(widget->isEnabled() == !lock, qPrintable(widget->objectName()));
            QCOMPARE(rig.find<QLineEdit>(u"Progress"_s)->text(), u"0%"_s);
            QCOMPARE(rig.find<QProgressBar>(u"ProgressBar1"_s)->value(), 0);
        }
        QVERIFY(!rig.find<QAction>(u"ALL_READ"_s)->isEnabled());
        QVERIFY(!rig.port.isOpen());
    }

    void radioCommandFailures_data()
    {
        QTest::addColumn<int>("failure");
        QTest::newRow("none") << 0;
        QTest::newRow("PortError") << 1;
        QTest::newRow("other exception") << 2;
    }
    void radioCommandFailures()
    {
        QFETCH(int, failure);
        Rig rig;
        MessageCapture capture;
        bool lockedInside = false;
        rig.window->runRadioCommand([&] {
            lockedInside = rig.window->isLocked();
            rig.port.open(1);
            if (failure == 1)
                throw PortError(u"x"_s);
            if (failure == 2)
                throw std::runtime_error("x");
        });
        QVERIFY(lockedInside);
        QVERIFY(!rig.window->isLocked());
        QVERIFY(!rig.port.isOpen());
        QCOMPARE(capture.messages.size(), failure ? 1 : 0);
        if (failure) {
            QCOMPARE(capture.messages[0].text, u"Port Error"_s);
            QCOMPARE(capture.messages[0].title, u" Error"_s);
            QCOMPARE(capture.messages[0].detail, u"x"_s);
        }
    }

    void resetButtonSendsResetAndClosesLine()
    {
        Rig rig("COMPORT:04\r\n");
        MessageCapture capture;
        QTest::mouseClick(rig.find<QPushButton>(u"cmdZQRESET"_s), Qt::LeftButton);
        QCOMPARE(rig.port.lastPortNumber(), 4);
        QCOMPARE(rig.port.writes(), QList<QByteArray>{"ZQ~RESET\r"});
        QVERIFY(!rig.port.isOpen());
        QVERIFY(capture.messages.isEmpty());
    }

    void progressPercent_data()
    {
        QTest::addColumn<int>("maximum");
        QTest::addColumn<int>("steps");
        QTest::addColumn<QString>("text");
        QTest::newRow("quarter") << 4 << 1 << u"25%"_s;
        QTest::newRow("rounded down") << 3 << 2 << u"66%"_s;
        QTest::newRow("past the end") << 2 << 5 << u"100%"_s;
        QTest::newRow("empty transfer") << 0 << 1 << u"100%"_s;
    }
    void progressPercent()
    {
        QFETCH(int, maximum);
        QFETCH(int, steps);
        QFETCH(QString, text);
        Rig rig;
        rig.window->progress().start(maximum);
        for (int i = 0; i < steps; ++i)
            rig.window->progress().advance();
        QCOMPARE(rig.find<QLineEdit>(u"Progress"_s)->text(), text);
        QCOMPARE(rig.find<QProgressBar>(u"ProgressBar1"_s)->value(), qMin(steps, qMax(maximum, 1)));
    }

    void closeRefusedDuringTransfer()
    {
        Rig rig;
        rig.window->show();
        bool closedInside = true;
        rig.window->runRadioCommand([&] { closedInside = rig.window->close(); });
        QVERIFY(!closedInside);
        QVERIFY(rig.window->isVisible());
        rig.port.open(1);
        QVERIFY(rig.window->close());
        QVERIFY(!rig.port.isOpen());
    }

    void splash()
    {
        for (bool keyPressed : {true, false}) {
            SplashWindow splash;
            QSignalSpy finished(&splash, &SplashWindow::finished);
            splash.show();
            QVERIFY(splash.timer()->isActive() && splash.timer()->isSingleShot());
            QCOMPARE(splash.timer()->interval(), 1000);
            if (keyPressed)
                QTest::keyClick(&splash, Qt::Key_Space); // at once, no waiting
            else
                QVERIFY(finished.wait(5000));
            QCOMPARE(finished.count(), 1);
            QVERIFY(!splash.timer()->isActive());
            QVERIFY(!splash.isVisible());
        }
    }

    void versionDialog()
    {
        Rig rig;
        rig.window->move(100, 80);
        QStringList labels;
        QPoint offset;
        QTimer::singleShot(0, [&] {
            auto *dialog = qobject_cast<VersionDialog *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            for (const QLabel *label : dialog->findChildren<QLabel *>())
                labels << label->text();
            offset = dialog->pos() - rig.window->pos();
            dialog->findChild<QPushButton *>()->click();
        });
        rig.find<QAction>(u"MenuVersion"_s)->trigger();
        labels.sort();
        QCOMPARE(labels, (QStringList{"2012/5", "Version 1.00"}));
        QCOMPARE(offset, QPoint(2000 / 15, 1000 / 15));
    }
};

QTEST_MAIN(TestMainWindow)
#include "test_mainwindow.moc"
