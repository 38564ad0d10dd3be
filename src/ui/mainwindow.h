#pragma once

#include "files/settingsfile.h"
#include "link/portresolver.h"
#include "session/session.h"
#include "ui/radiocommand.h"

#include <QMainWindow>
#include <array>

class QAction;
class QGroupBox;
class QLineEdit;
class QMenu;
class QProgressBar;
class QPushButton;
class QTabBar;

namespace n35
{

class BankPage;
class CommonPage;
class EditMenu;
class MemoryPage;
class SetModePage;

// The shell: menus, the four pages and the progress bar at the bottom, over one Session that holds the
// clone image, the line to the radio, the history and the settings.
class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    static constexpr int PageCount = 4;

    // port: the line to the radio; nullptr for the serial port chosen in the COMPort menu.
    explicit MainWindow(RadioPort *port = nullptr, const QString &settingsPath = SettingsFilePath(),
                        QWidget *parent = nullptr);
    ~MainWindow() override;

    Session &session() { return core; }
    MemoryPage *memoryPage() const { return memory; }

    // 1 Memory, 2 Bank, 3 Common Set, 4 Set Mode; 0 before the first switch.
    int currentPage() const { return pageNumber; }
    void switchPage(int page);

    void MenuSetCom_Click(int index);
    // "Read All Data", "Write All Data" and "Verify" of the Communication menu.
    void ALL_READ_Click();
    void ALL_WRITE_Click();
    void Verify_Click();
    void MenuVersion_Click();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildControls();
    void buildPages();
    void buildMenus();
    void buildRadioMenus();
    void refreshPortItems();
    void checkPortItem(int index);
    void showBusy(bool busy);
    void showHistory();
    void showFile(const QString &path);
    void cmdZQRESET_Click();

    Session core;
    BarProgress barProgress;

    QMenu *File = nullptr;
    EditMenu *MenuEdit = nullptr;
    QMenu *MenuComPort = nullptr;
    std::array<QAction *, PortResolver::PortCount> MenuSetCom{};
    QMenu *Tusin_Botton = nullptr;
    QAction *FullWrite = nullptr;
    QMenu *MenuHelp = nullptr;

    QTabBar *TabStrip1 = nullptr;
    std::array<QGroupBox *, PageCount> A_FRAME{};
    QProgressBar *ProgressBar1 = nullptr;
    QLineEdit *ProgressText = nullptr;
    QPushButton *cmdZQRESET = nullptr;
    MemoryPage *memory = nullptr;
    BankPage *bank = nullptr;
    CommonPage *common = nullptr;
    SetModePage *setMode = nullptr;
    int pageNumber = 0;
};

} // namespace n35
