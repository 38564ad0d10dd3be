#pragma once

#include "link/outcome.h"
#include "link/portresolver.h"
#include "link/portsettings.h"
#include "link/progress.h"
#include "link/radiolink.h"
#include "link/serialradioport.h"
#include "model/cloneimage.h"
#include "model/history.h"

#include <QList>
#include <QMainWindow>
#include <QMap>
#include <QPointer>
#include <array>
#include <functional>

class QAction;
class QGroupBox;
class QLineEdit;
class QMenu;
class QProgressBar;
class QPushButton;
class QTabBar;
class QTimer;

namespace n35
{

class BankPage;
class CommonPage;
class SetModePage;
class MemoryPage;
class RecentFilesMenu;

// Drives the bar at the bottom of the main window and the percentage beside it.
class BarProgress : public Progress
{
public:
    void attach(QProgressBar *progressBar, QLineEdit *percentText);
    void start(int maximum) override;
    void advance() override;

private:
    void show(int value);

    QProgressBar *bar = nullptr;
    QLineEdit *percent = nullptr;
    int maximum = 1;
    int value = 0;
};

class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    static constexpr int PageCount = 4;

    // port: the line to the radio; nullptr for the serial port chosen in the COMPort menu.
    explicit MainWindow(RadioPort *port = nullptr, const QString &settingsPath = SettingsFilePath(),
                        QWidget *parent = nullptr);
    ~MainWindow() override;

    RadioLink &radioLink() { return link; }
    CloneImage &cloneImage() { return image; }
    PortResolver &portResolver() { return resolver; }
    Progress &progress() { return barProgress; }
    MemoryPage *memoryPage() const { return memory; }

    // 1 Memory, 2 Bank, 3 Common Set, 4 Set Mode; 0 before the first switch.
    int currentPage() const { return pageNumber; }
    void switchPage(int page);

    // Buttons that start radio or file commands; disabled while a transfer runs. After it, a widget with
    // a rule is enabled only when the rule allows ("Bank Write" only for a partition of 500).
    void registerCommandWidget(QWidget *widget, std::function<bool()> enabledWhenUnlocked = {});
    // Asks a registered widget's rule again, after what the rule looks at has changed.
    void refreshCommandWidget(QWidget *widget);
    void registerGrid(QWidget *grid);

    void LockControls();
    void UnlockControls();
    bool isLocked() const { return locked; }

    // Every radio command runs here: controls locked, any failure told to the user, the port closed after.
    // What it changes in the clone image (a read) is one undo step under `stepName`.
    void runRadioCommand(const std::function<void()> &body, const QString &stepName = QString());
    // Runs a command that may change the clone image; whatever it changes is one undo step, which the
    // Edit menu names "Undo <name>". Changes made outside a command (a list chosen on a page, a count
    // typed) are steps of their own, named by the region they touched.
    void runStep(const QString &name, const std::function<void()> &body);
    ImageHistory &imageHistory() { return history; }
    // Whether the image is the one last loaded, saved, read from or written to a radio (an edit still
    // waiting to be recorded counts); the window's modified mark follows it.
    bool isClean();
    void markClean();
    // The Edit items that act on the memory grid's rows, for the grid's context menu.
    QList<QAction *> rowEditActions() const;
    void EditUndo_Click();
    void EditRedo_Click();
    // Tells the user how a transfer ended: its notices, then doneText or its failure message.
    void report(const TransferOutcome &outcome, const QString &doneText);

    // "Read" and "Write" of the set-mode settings, from the set-mode page and the common "Setting" frame.
    void SETTING_READ_Click();
    void SETTING_WRITE_Click();

    // "Read All Data" and "Write All Data" of the Communication menu.
    void ALL_READ_Click();
    void ALL_WRITE_Click();
    // Reads the whole radio into a copy and lists where it differs from the window's image.
    void Verify_Click();
    // Whether "Write All Data" first reads the radio into a backup file (kept in the settings file).
    bool backupBeforeWriting() const;
    void setBackupBeforeWriting(bool on);
    // Whether a write after a backup sends every block, not only those the radio does not hold yet.
    bool fullWrite() const;
    // Where backups go and the restore looks first: the user's data folder unless set.
    QString backupFolder() const { return backups; }
    void setBackupFolder(const QString &folder) { backups = folder; }

    // Whether the channel editor fills the repeater shift from the band plan (kept in the settings file).
    bool automaticShift() const;
    // A clone image was opened from or saved to `path`: it heads File > "Open Recent" and names the window.
    void noteImageFile(const QString &path);

    void MenuSetCom_Click(int index);
    void MenuVersion_Click();

    // Where a file dialog for a kind of file ("N35", "CSV", "PDF") starts: the folder last used for it,
    // else the user's documents. Remembered in the settings file.
    QString startFolder(const QString &kind) const;
    void rememberFolder(const QString &kind, const QString &filePath);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildMenus();
    void buildControls();
    void refreshPortItems();
    void checkPortItem(int index);
    void setMenusEnabled(bool enabled);
    void cmdZQRESET_Click();
    void saveSettingsFile();
    void buildEditMenu();
    void buildRowItems();
    void noteEdit(const QString &region);
    void recordPendingEdit();
    void refreshEditItems();
    void travel(bool (ImageHistory::*move)());

    QString settingsPath;
    QString backups;
    CloneImage image;
    PortResolver resolver;
    SerialRadioPort serialPort{resolver};
    RadioLink link;
    ImageHistory history{image};
    int stepDepth = 0;      // runStep and runRadioCommand calls under way
    bool restoring = false; // an undo or redo is putting an image back
    QString pendingEdit;    // the region an edit outside a command touched, recorded when idle
    QTimer *editTimer = nullptr;

    QMenu *File = nullptr;
    QAction *FileOpen = nullptr;
    QAction *FileSave = nullptr;
    QAction *Inport = nullptr;
    QAction *Export = nullptr;
    QAction *ImportChannelList = nullptr;
    QAction *ExportChannelList = nullptr;
    QAction *FilePrint = nullptr;
    QAction *ExportPdf = nullptr;
    QAction *FileExit = nullptr;
    QMenu *MenuEdit = nullptr;
    QAction *EditUndo = nullptr;
    QAction *EditRedo = nullptr;
    QAction *EditCut = nullptr;
    QAction *EditCopy = nullptr;
    QAction *EditPaste = nullptr;
    QAction *EditMoveUp = nullptr;
    QAction *EditMoveDown = nullptr;
    QMenu *EditSort = nullptr;
    QAction *EditSortByFrequency = nullptr;
    QAction *EditSortByName = nullptr;
    QAction *EditInsertRow = nullptr;
    QAction *EditDeleteShift = nullptr;
    QAction *EditFindDuplicates = nullptr;
    QAction *AutoShift = nullptr;
    RecentFilesMenu *recentFiles = nullptr;
    QMenu *MenuComPort = nullptr;
    std::array<QAction *, PortResolver::PortCount> MenuSetCom{};
    QMenu *Tusin_Botton = nullptr;
    QAction *ALL_WRITE = nullptr;
    QAction *ALL_READ = nullptr;
    QAction *Verify = nullptr;
    QAction *BackupBeforeWrite = nullptr;
    QAction *FullWrite = nullptr;
    QMenu *MenuHelp = nullptr;
    QAction *MenuVersion = nullptr;

    QTabBar *TabStrip1 = nullptr;
    std::array<QGroupBox *, PageCount> A_FRAME{};
    QProgressBar *ProgressBar1 = nullptr;
    QLineEdit *ProgressText = nullptr;
    QPushButton *cmdZQRESET = nullptr;
    MemoryPage *memory = nullptr;
    BankPage *bank = nullptr;
    CommonPage *common = nullptr;
    SetModePage *setMode = nullptr;

    BarProgress barProgress;
    struct CommandWidget {
        QPointer<QWidget> widget;
        std::function<bool()> rule;
        void enable(bool unlocked) const;
    };
    QList<CommandWidget> commandWidgets;
    QPointer<QWidget> grid;
    int pageNumber = 0;
    bool locked = false;
    QMap<QString, QString> folders; // the file dialogs' last folders by kind of file
};

} // namespace n35
