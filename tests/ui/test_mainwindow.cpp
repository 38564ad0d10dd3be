#include "link/fakeradioport.h"
#include "link/porterror.h"
#include "link/portsettings.h"
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

namespace
{

// A window on a fake line, with a settings file in a private folder and no real serial devices.
struct Rig {
    explicit Rig(const QByteArray *settings = nullptr)
    {
        path = dir.filePath(QStringLiteral("HVN35Writer.INI"));
        if (settings) {
            QFile file(path);
            if (file.open(QIODevice::WriteOnly))
                file.write(*settings);
        }
        window = std::make_unique<MainWindow>(&port, path);
        window->portResolver().setLinkDirectory(dir.path());
        window->portResolver().setSystemDevices({});
    }
    template <typename T> T *find(const QString &name) const { return window->findChild<T *>(name); }
    QAction *comItem(int n) const { return find<QAction>(QStringLiteral("MenuSetCom_%1").arg(n)); }
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

const QStringList LockedMenus = {"File", "MenuComPort", "MenuHelp", "Tusin_Botton"};

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT
private slots:
    void caption()
    {
        Rig rig;
        QCOMPARE(rig.window->windowTitle(), QStringLiteral("HV-N35 Clone Utility Ver.1.00"));
        QCOMPARE(rig.window->objectName(), QStringLiteral("Form1"));
    }

    void pages_data()
    {
        QTest::addColumn<int>("tab");
        QTest::addColumn<QString>("tabText");
        QTest::addColumn<QString>("frameCaption");
        QTest::newRow("memory") << 0 << "Memory"
                                << "Memory";
        QTest::newRow("bank") << 1 << "Bank"
                              << "Bank Setting";
        QTest::newRow("common") << 2 << "Common Set"
                                << "Common Setting";
        QTest::newRow("set mode") << 3 << "Set Mode"
                                  << "Set Mode";
    }
    void pages()
    {
        QFETCH(int, tab);
        QFETCH(QString, tabText);
        QFETCH(QString, frameCaption);
        Rig rig;
        auto *tabs = rig.find<QTabBar>(QStringLiteral("TabStrip1"));
        QCOMPARE(tabs->count(), 4);
        QCOMPARE(tabs->tabText(tab), tabText);
        QCOMPARE(rig.window->currentPage(), 1);

        // Away and back, so that every page is reached by a real switch.
        tabs->setCurrentIndex(tab == 0 ? 1 : 0);
        tabs->setCurrentIndex(tab);
        QCOMPARE(rig.window->currentPage(), tab + 1);
        for (int i = 0; i < 4; ++i) {
            auto *frame = rig.find<QGroupBox>(QStringLiteral("A_FRAME_%1").arg(i));
            QCOMPARE(frame, rig.window->pageFrame(i));
            QCOMPARE(frame->isVisibleTo(rig.window.get()), i == tab);
            QCOMPARE(frame->isEnabled(), i == tab);
        }
        QCOMPARE(rig.window->pageFrame(tab)->title(), frameCaption);
    }

    void menus_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("File") << "File"
                              << ""
                              << "File(&F)" << true;
        QTest::newRow("FileOpen") << "FileOpen"
                                  << "File"
                                  << "Open(&O)" << false;
        QTest::newRow("FileSave") << "FileSave"
                                  << "File"
                                  << "Save(&S)" << false;
        QTest::newRow("Inport") << "Inport"
                                << "File"
                                << "Import(&I)" << false;
        QTest::newRow("Export") << "Export"
                                << "File"
                                << "Export(&E)" << false;
        QTest::newRow("MenuComPort") << "MenuComPort"
                                     << ""
                                     << "COMPort(&C)" << true;
        QTest::newRow("Tusin_Botton") << "Tusin_Botton"
                                      << ""
                                      << "Communication(&T)" << true;
        QTest::newRow("ALL_WRITE") << "ALL_WRITE"
                                   << "Tusin_Botton"
                                   << "Write All Data(&A)" << false;
        QTest::newRow("ALL_READ") << "ALL_READ"
                                  << "Tusin_Botton"
                                  << "Read All Data(&B)" << false;
        QTest::newRow("MenuHelp") << "MenuHelp"
                                  << ""
                                  << "Help(&H)" << true;
        QTest::newRow("MenuVersion") << "MenuVersion"
                                     << "MenuHelp"
                                     << "Version Infomation(&A)" << true;
    }
    void menus()
    {
        QFETCH(QString, name);
        QFETCH(QString, menu);
        QFETCH(QString, caption);
        QFETCH(bool, enabled);
        Rig rig;
        QAction *action = nullptr;
        if (menu.isEmpty()) {
            auto *top = rig.find<QMenu>(name);
            QVERIFY(top);
            QCOMPARE(top->title(), caption);
            action = top->menuAction();
            QVERIFY(rig.window->menuBar()->actions().contains(action));
        } else {
            action = rig.find<QAction>(name);
            QVERIFY(action);
            QCOMPARE(action->text(), caption);
            QVERIFY(rig.find<QMenu>(menu)->actions().contains(action));
        }
        QCOMPARE(action->isEnabled(), enabled);
    }

    void portFromSettings_data()
    {
        QTest::addColumn<bool>("fileExists");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("port");
        QTest::newRow("COMPORT:07") << true << QByteArray("Save Date\r\nCOMPORT:07\r\nFile End\r\n") << 7;
        QTest::newRow("COMPORT:16") << true << QByteArray("COMPORT:16\r\nFile End\r\n") << 16;
        QTest::newRow("no COMPORT line") << true << QByteArray("Save Date\r\nFile End\r\n") << 1;
        QTest::newRow("missing file") << false << QByteArray() << 1;
    }
    void portFromSettings()
    {
        QFETCH(bool, fileExists);
        QFETCH(QByteArray, content);
        QFETCH(int, port);
        Rig rig(fileExists ? &content : nullptr);
        QCOMPARE(rig.find<QMenu>(QStringLiteral("MenuComPort"))->actions().size(), 16);
        QCOMPARE(rig.checkedPorts(), QList<int>{port});
        QCOMPARE(rig.window->radioLink().portNumber(), port);
        for (int n = 1; n <= 16; ++n)
            QVERIFY(rig.comItem(n)->text().startsWith(QStringLiteral("COM%1\t").arg(n)));
    }

    void portItemsShowDevicesWhenMenuOpens()
    {
        Rig rig;
        // A cable plugged in and a link made after start-up.
        rig.window->portResolver().setSystemDevices({QStringLiteral("/dev/ttyUSB0")});
        QVERIFY(QFile::link(QStringLiteral("/dev/null"), rig.dir.filePath(QStringLiteral("com2"))));
        emit rig.find<QMenu>(QStringLiteral("MenuComPort"))->aboutToShow();
        const QStringList expected = {"COM1\t/dev/ttyUSB0", "COM2\t/dev/null", "COM3\tnot connected"};
        for (int n = 1; n <= 3; ++n)
            QCOMPARE(rig.comItem(n)->text(), expected[n - 1]);
    }

    void choosingPortSavesSettingsAndClosesLine()
    {
        const QByteArray content("COMPORT:07\r\nFile End\r\n");
        Rig rig(&content);
        MessageCapture capture;
        rig.port.open(7);
        rig.comItem(3)->trigger();
        QCOMPARE(rig.checkedPorts(), QList<int>{3});
        QCOMPARE(rig.window->radioLink().portNumber(), 3);
        QVERIFY(!rig.port.isOpen());
        const PortSetting saved = ReadPortSetting(rig.path);
        QVERIFY(saved.fromFile);
        QCOMPARE(saved.port, 3);
        QVERIFY(capture.messages.isEmpty());

        // Choosing the checked item again must not leave the menu without a check.
        rig.comItem(3)->trigger();
        QCOMPARE(rig.checkedPorts(), QList<int>{3});
    }

    void unsavableSettingsAreReported()
    {
        QTemporaryDir dir;
        FakeRadioPort port;
        MainWindow window(&port, dir.filePath(QStringLiteral("missing/folder/HVN35Writer.INI")));
        MessageCapture capture;
        window.MenuSetCom_Click(5);
        QCOMPARE(capture.messages.size(), 1);
        QCOMPARE(capture.messages[0].text, QStringLiteral("Settings file could not be saved."));
        QCOMPARE(capture.messages[0].title, QStringLiteral("Error"));
        QVERIFY(!capture.messages[0].detail.isEmpty());
    }

    void lockAndUnlock()
    {
        Rig rig;
        QPushButton pageButton;
        QWidget grid;
        rig.window->registerCommandWidget(&pageButton);
        rig.window->registerGrid(&grid);
        auto *tabs = rig.find<QTabBar>(QStringLiteral("TabStrip1"));
        auto *reset = rig.find<QPushButton>(QStringLiteral("cmdZQRESET"));
        auto *percent = rig.find<QLineEdit>(QStringLiteral("Progress"));
        rig.window->progress().start(2);
        rig.window->progress().advance();
        rig.port.open(1);

        rig.window->LockControls();
        QVERIFY(rig.window->isLocked());
        for (const QString &menu : LockedMenus)
            QVERIFY2(!rig.find<QMenu>(menu)->menuAction()->isEnabled(), qPrintable(menu));
        for (QWidget *widget : {static_cast<QWidget *>(tabs), &grid, static_cast<QWidget *>(&pageButton),
                                static_cast<QWidget *>(reset)})
            QVERIFY(!widget->isEnabled());
        QCOMPARE(percent->text(), QStringLiteral("0%"));
        QCOMPARE(rig.find<QProgressBar>(QStringLiteral("ProgressBar1"))->value(), 0);

        rig.window->UnlockControls();
        QVERIFY(!rig.window->isLocked());
        for (const QString &menu : LockedMenus)
            QVERIFY2(rig.find<QMenu>(menu)->menuAction()->isEnabled(), qPrintable(menu));
        for (QWidget *widget : {static_cast<QWidget *>(tabs), &grid, static_cast<QWidget *>(&pageButton),
                                static_cast<QWidget *>(reset)})
            QVERIFY(widget->isEnabled());
        QVERIFY(!rig.find<QAction>(QStringLiteral("ALL_READ"))->isEnabled());
        QVERIFY(!rig.port.isOpen());
    }

    void radioCommandFailures_data()
    {
        QTest::addColumn<int>("failure");
        QTest::addColumn<int>("messages");
        QTest::newRow("none") << 0 << 0;
        QTest::newRow("PortError") << 1 << 1;
        QTest::newRow("other exception") << 2 << 1;
    }
    void radioCommandFailures()
    {
        QFETCH(int, failure);
        QFETCH(int, messages);
        Rig rig;
        MessageCapture capture;
        bool lockedInside = false;
        rig.window->runRadioCommand([&] {
            lockedInside = rig.window->isLocked();
            rig.port.open(1);
            if (failure == 1)
                throw PortError(QStringLiteral("x"));
            if (failure == 2)
                throw std::runtime_error("x");
        });
        QVERIFY(lockedInside);
        QVERIFY(!rig.window->isLocked());
        QVERIFY(!rig.port.isOpen());
        QCOMPARE(capture.messages.size(), messages);
        if (messages) {
            QCOMPARE(capture.messages[0].text, QStringLiteral("Port Error"));
            QCOMPARE(capture.messages[0].title, QStringLiteral(" Error"));
            QCOMPARE(capture.messages[0].detail, QStringLiteral("x"));
        }
    }

    void resetButton_data()
    {
        QTest::addColumn<QString>("openFailure");
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("sent") << QString() << QByteArray("ZQ~RESET\r");
        QTest::newRow("port busy") << QStringLiteral("busy") << QByteArray();
    }
    void resetButton()
    {
        QFETCH(QString, openFailure);
        QFETCH(QByteArray, written);
        const QByteArray content("COMPORT:04\r\n");
        Rig rig(&content);
        MessageCapture capture;
        rig.port.setOpenFailure(openFailure);
        QTest::mouseClick(rig.find<QPushButton>(QStringLiteral("cmdZQRESET")), Qt::LeftButton);
        QCOMPARE(rig.port.lastPortNumber(), 4);
        QCOMPARE(rig.port.written(), written);
        QVERIFY(!rig.port.isOpen());
        QCOMPARE(capture.messages.size(), openFailure.isEmpty() ? 0 : 1);
        if (!openFailure.isEmpty())
            QCOMPARE(capture.messages[0].detail, openFailure);
    }

    void progressPercent_data()
    {
        QTest::addColumn<int>("maximum");
        QTest::addColumn<int>("steps");
        QTest::addColumn<QString>("text");
        QTest::newRow("start") << 4 << 0 << "0%";
        QTest::newRow("quarter") << 4 << 1 << "25%";
        QTest::newRow("rounded down") << 3 << 2 << "66%";
        QTest::newRow("done") << 160 << 160 << "100%";
        QTest::newRow("past the end") << 2 << 5 << "100%";
        QTest::newRow("empty transfer") << 0 << 1 << "100%";
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
        QCOMPARE(rig.find<QLineEdit>(QStringLiteral("Progress"))->text(), text);
        auto *bar = rig.find<QProgressBar>(QStringLiteral("ProgressBar1"));
        QCOMPARE(bar->value() * 100 / bar->maximum(), text.chopped(1).toInt());
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

    void splashKeyFinishesAtOnce()
    {
        SplashWindow splash;
        QSignalSpy finished(&splash, &SplashWindow::finished);
        splash.show();
        QVERIFY(splash.timer()->isActive());
        QTest::keyClick(&splash, Qt::Key_Space);
        QCOMPARE(finished.count(), 1);
        QVERIFY(!splash.timer()->isActive());
        QVERIFY(!splash.isVisible());
    }

    void splashTimesOut()
    {
        SplashWindow splash;
        QSignalSpy finished(&splash, &SplashWindow::finished);
        splash.show();
        QCOMPARE(splash.timer()->interval(), 1000);
        QVERIFY(splash.timer()->isSingleShot());
        QVERIFY(finished.wait(5000));
        QVERIFY(!splash.isVisible());
        QTest::qWait(50);
        QCOMPARE(finished.count(), 1);
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
        rig.find<QAction>(QStringLiteral("MenuVersion"))->trigger();
        labels.sort();
        QCOMPARE(labels, (QStringList{"2012/5", "Version 1.00"}));
        QCOMPARE(offset, QPoint(2000 / 15, 1000 / 15));
    }
};

QTEST_MAIN(TestMainWindow)
#include "test_mainwindow.moc"
