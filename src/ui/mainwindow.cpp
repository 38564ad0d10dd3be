#include "ui/mainwindow.h"

#include "files/backup.h"
#include "files/imagefile.h"
#include "link/porterror.h"
#include "link/settingstransfer.h"
#include "link/wholeradio.h"
#include "model/imagediff.h"
#include "session/radiobackups.h"
#include "ui/appicon.h"
#include "ui/backupcommands.h"
#include "ui/bankpage.h"
#include "ui/channelprint.h"
#include "ui/commonpage.h"
#include "ui/filecommands.h"
#include "ui/memorypage.h"
#include "ui/messages.h"
#include "ui/recentfiles.h"
#include "ui/rowcommands.h"
#include "ui/setmodepage.h"
#include "ui/twips.h"
#include "ui/unsavedchanges.h"
#include "ui/version.h"
#include "ui/versiondialog.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QStandardPaths>
#include <QTabBar>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <exception>

namespace n35
{

void BarProgress::attach(QProgressBar *progressBar, QLineEdit *percentText)
{
    bar = progressBar;
    percent = percentText;
}

void BarProgress::start(int max)
{
    // A zero maximum would turn the bar into a busy indicator and the percentage into a division by zero.
    maximum = max > 0 ? max : 1;
    bar->setRange(0, maximum);
    show(0);
}

void BarProgress::advance()
{
    if (value < maximum)
        show(value + 1);
}

void BarProgress::show(int newValue)
{
    value = newValue;
    bar->setValue(value);
    percent->setText(QString::number(value * 100 / maximum) + QLatin1Char('%'));
}

MainWindow::MainWindow(RadioPort *port, const QString &settingsPath, QWidget *parent)
    : QMainWindow(parent), settingsPath(settingsPath), backups(BackupFolder()),
      link(port ? *port : serialPort)
{
    setObjectName(QStringLiteral("Form1"));
    buildMenus();
    buildControls();
    memory = new MemoryPage(*this, A_FRAME[0]);
    bank = new BankPage(*this, A_FRAME[1]);
    common = new CommonPage(*this, A_FRAME[2]);
    setMode = new SetModePage(*this, A_FRAME[3]);
    // Each page scrolls within the window when it needs more room than the user gave it: the window
    // keeps its size on every page and fits a small screen.
    const std::array<QWidget *, PageCount> pageWidgets{memory, bank, common, setMode};
    for (int i = 0; i < PageCount; ++i) {
        auto *scroll = new QScrollArea(A_FRAME[i]);
        scroll->setObjectName(QStringLiteral("PageScroll_%1").arg(i));
        scroll->setAccessibleName(A_FRAME[i]->title());
        scroll->setFrameShape(QFrame::NoFrame);
        scroll->setWidgetResizable(true);
        scroll->setWidget(pageWidgets[i]);
        auto *frameLayout = new QVBoxLayout(A_FRAME[i]);
        frameLayout->setContentsMargins(2, 2, 2, 2);
        frameLayout->addWidget(scroll);
    }
    folders = ReadFolderSettings(settingsPath);

    barProgress.attach(ProgressBar1, ProgressText);
    barProgress.start(100);

    const PortSetting setting = ReadPortSetting(settingsPath);
    checkPortItem(setting.port);
    link.setPortNumber(setting.port);

    for (QGroupBox *frame : A_FRAME) {
        frame->hide();
        frame->setEnabled(false);
    }
    switchPage(1);

    // The drawn size, widened so the set-mode page's four columns show side by side and a little taller
    // so the common page shows whole in Japanese, where the screen allows; the pages scroll or the user
    // resizes beyond that.
    QSize size(twips(13650), twips(9150));
    size.setWidth(std::max(size.width(), setMode->preferredWidth() + twips(1200)));
    if (const QScreen *display = screen())
        size = size.boundedTo(display->availableSize());
    resize(size);
    setWindowTitle(WindowTitleFor(QString()));
    setWindowIcon(ApplicationIcon());
    // What the pages did while they were built is the start, not an edit.
    pendingEdit.clear();
    editTimer->stop();
    history.rebase();
    refreshEditItems();
}

MainWindow::~MainWindow()
{
    // The pages are views of the clone image, a member that would otherwise die before the widgets.
    delete takeCentralWidget();
}

void MainWindow::buildMenus()
{
    auto addMenu = [this](const char *title, const char *name) {
        QMenu *menu = menuBar()->addMenu(QString::fromLatin1(title));
        menu->setObjectName(QString::fromLatin1(name));
        return menu;
    };
    auto addItem = [](QMenu *menu, const char *text, const char *name) {
        QAction *action = menu->addAction(QString::fromLatin1(text));
        action->setObjectName(QString::fromLatin1(name));
        return action;
    };

    File = addMenu("File(&F)", "File");
    FileOpen = addItem(File, "Open(&O)", "FileOpen");
    recentFiles = new RecentFilesMenu(RecentFiles::read(settingsPath), File);
    File->addMenu(recentFiles);
    FileSave = addItem(File, "Save(&S)", "FileSave");
    Inport = addItem(File, "Import(&I)", "Inport");
    Export = addItem(File, "Export(&E)", "Export");
    File->addSeparator();
    ImportChannelList = addItem(File, "Import channel list...", "ImportChannelList");
    ExportChannelList = addItem(File, "Export channel list...", "ExportChannelList");
    File->addSeparator();
    FilePrint = addItem(File, "Print...", "FilePrint");
    FilePrint->setShortcut(QKeySequence::Print);
    ExportPdf = addItem(File, "Export PDF...", "ExportPdf");
    connect(FilePrint, &QAction::triggered, this, [this] { FilePrint_Click(*this); });
    connect(ExportPdf, &QAction::triggered, this, [this] { ExportPdf_Click(*this); });
    File->addSeparator();
    FileExit = addItem(File, "Exit(&X)", "FileExit");
    FileExit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    connect(FileExit, &QAction::triggered, this, &QWidget::close);

    buildEditMenu();

    MenuComPort = addMenu("COMPort(&C)", "MenuComPort");
    for (int n = 1; n <= PortResolver::PortCount; ++n) {
        QAction *item = MenuComPort->addAction(QString());
        item->setObjectName(QStringLiteral("MenuSetCom_%1").arg(n));
        item->setCheckable(true);
        connect(item, &QAction::triggered, this, [this, n] { MenuSetCom_Click(n); });
        MenuSetCom[n - 1] = item;
    }
    refreshPortItems();
    // Cables come and go while the program runs: say what each number opens now.
    connect(MenuComPort, &QMenu::aboutToShow, this, &MainWindow::refreshPortItems);

    Tusin_Botton = addMenu("Communication(&T)", "Tusin_Botton");
    ALL_WRITE = addItem(Tusin_Botton, "Write All Data(&A)", "ALL_WRITE");
    ALL_READ = addItem(Tusin_Botton, "Read All Data(&B)", "ALL_READ");
    Verify = addItem(Tusin_Botton, "Verify(&V)", "Verify");
    Tusin_Botton->addSeparator();
    BackupBeforeWrite = addItem(Tusin_Botton, "Back up the radio before writing", "BackupBeforeWrite");
    BackupBeforeWrite->setCheckable(true);
    BackupBeforeWrite->setChecked(ReadBackupSetting(settingsPath));
    FullWrite = addItem(Tusin_Botton, "Write every block, not only the changed ones", "FullWrite");
    FullWrite->setCheckable(true);
    AddBackupItems(*this, Tusin_Botton);
    connect(Verify, &QAction::triggered, this, &MainWindow::Verify_Click);
    connect(BackupBeforeWrite, &QAction::toggled, this, [this] { saveSettingsFile(); });

    MenuHelp = addMenu("Help(&H)", "MenuHelp");
    MenuVersion = addItem(MenuHelp, "Version Infomation(&A)", "MenuVersion");
    connect(MenuVersion, &QAction::triggered, this, &MainWindow::MenuVersion_Click);

    connect(ALL_READ, &QAction::triggered, this, &MainWindow::ALL_READ_Click);
    connect(ALL_WRITE, &QAction::triggered, this, &MainWindow::ALL_WRITE_Click);
    connect(FileOpen, &QAction::triggered, this, [this] {
        if (ConfirmUnsavedChanges(*this, QStringLiteral("opening another file")))
            runStep(QStringLiteral("Open"), [this] { FileOpen_Click(*this); });
    });
    connect(recentFiles, &RecentFilesMenu::openRequested, this, [this](const QString &path) {
        if (ConfirmUnsavedChanges(*this, QStringLiteral("opening another file")))
            runStep(QStringLiteral("Open"), [this, &path] { OpenImageCommand(*this, path); });
    });
    connect(recentFiles, &RecentFilesMenu::changed, this, [this] { saveSettingsFile(); });
    connect(FileSave, &QAction::triggered, this, [this] { FileSave_Click(*this); });
    connect(Inport, &QAction::triggered, this,
            [this] { runStep(QStringLiteral("Import"), [this] { FILE_INPORT_Click(*this); }); });
    connect(Export, &QAction::triggered, this, [this] { FILE_EXPORT_Click(*this); });
    // A channel list from another program fills rows from the grid's current row on.
    connect(ImportChannelList, &QAction::triggered, this, [this] {
        const int first = memory->currentChannel();
        runStep(QStringLiteral("Import channel list"),
                [this, first] { ImportChannelList_Click(*this, first); });
    });
    connect(ExportChannelList, &QAction::triggered, this, [this] { ExportChannelList_Click(*this); });
}

void MainWindow::buildControls()
{
    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    setCentralWidget(client);

    TabStrip1 = new QTabBar(client);
    TabStrip1->setObjectName(QStringLiteral("TabStrip1"));
    TabStrip1->setAccessibleName(QStringLiteral("Pages"));
    TabStrip1->setExpanding(false);
    for (const char *text : {"Memory", "Bank", "Common Set", "Set Mode"})
        TabStrip1->addTab(QString::fromLatin1(text));
    connect(TabStrip1, &QTabBar::currentChanged, this, [this](int index) { switchPage(index + 1); });

    // The pages share one place; only the current one is shown. Layouts rather than fixed positions, so
    // the window can grow (the memory grid with it) and nothing is cut off at a larger system font.
    auto *pages = new QVBoxLayout;
    const char *captions[PageCount] = {"Memory", "Bank Setting", "Common Setting", "Set Mode"};
    for (int i = 0; i < PageCount; ++i) {
        auto *frame = new QGroupBox(QString::fromLatin1(captions[i]), client);
        frame->setObjectName(QStringLiteral("A_FRAME_%1").arg(i));
        A_FRAME[i] = frame;
        pages->addWidget(frame, 1);
    }

    ProgressBar1 = new QProgressBar(client);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setAccessibleName(QStringLiteral("Progress"));
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setMinimumWidth(twips(8400));

    ProgressText = new QLineEdit(client);
    ProgressText->setObjectName(QStringLiteral("Progress"));
    ProgressText->setAccessibleName(QStringLiteral("Progress percentage"));
    ProgressText->setReadOnly(true);
    ProgressText->setFocusPolicy(Qt::NoFocus);
    ProgressText->setAlignment(Qt::AlignRight);
    ProgressText->setFixedWidth(std::max(
        twips(900), ProgressText->fontMetrics().horizontalAdvance(QStringLiteral("100%")) + twips(300)));

    cmdZQRESET = new QPushButton(QStringLiteral("Reset Radio"), client);
    cmdZQRESET->setObjectName(QStringLiteral("cmdZQRESET"));
    cmdZQRESET->setMinimumWidth(twips(1650));
    connect(cmdZQRESET, &QPushButton::clicked, this, &MainWindow::cmdZQRESET_Click);
    registerCommandWidget(cmdZQRESET);

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(ProgressBar1, 1);
    bottom->addWidget(ProgressText);
    bottom->addSpacing(twips(1500));
    bottom->addWidget(cmdZQRESET);

    auto *layout = new QVBoxLayout(client);
    layout->setContentsMargins(twips(240), twips(60), twips(240), twips(120));
    layout->addWidget(TabStrip1);
    layout->addLayout(pages, 1);
    layout->addLayout(bottom);
}

void MainWindow::switchPage(int page)
{
    if (page < 1 || page > PageCount || page == pageNumber)
        return;
    // Every page but the bank page needs a partition of 500: the bank page silently starts again from
    // the default, the others ask, and "No" stays where the user was.
    BankPartition &banks = image.banks;
    // A count still being typed counts: leaving its box settles it first.
    if (QWidget *focused = QApplication::focusWidget(); focused && isAncestorOf(focused))
        focused->clearFocus();
    if (pageNumber != 0 && banks.total() != BankChannelTotal) {
        if (page != 2 &&
            !AskYesNo(this, QStringLiteral("Bank Total Error. Init Data?"), QStringLiteral("Caution"))) {
            const QSignalBlocker quiet(TabStrip1);
            TabStrip1->setCurrentIndex(pageNumber - 1);
            return;
        }
        banks.reset();
    }
    // The row labels and the lists built from the partition already follow every valid partition.
    pageNumber = page;
    if (EditCopy)
        refreshEditItems();
    for (int i = 0; i < PageCount; ++i) {
        const bool current = i == page - 1;
        A_FRAME[i]->setVisible(current);
        A_FRAME[i]->setEnabled(current);
    }
    const QSignalBlocker quiet(TabStrip1);
    TabStrip1->setCurrentIndex(page - 1);
}

void MainWindow::CommandWidget::enable(bool unlocked) const
{
    if (widget)
        widget->setEnabled(unlocked && (!rule || rule()));
}

void MainWindow::registerCommandWidget(QWidget *widget, std::function<bool()> enabledWhenUnlocked)
{
    commandWidgets.append({widget, std::move(enabledWhenUnlocked)});
    commandWidgets.last().enable(!locked);
}

void MainWindow::refreshCommandWidget(QWidget *widget)
{
    for (const CommandWidget &command : commandWidgets) {
        if (command.widget == widget)
            command.enable(!locked);
    }
}

void MainWindow::registerGrid(QWidget *memoryGrid)
{
    grid = memoryGrid;
    grid->setEnabled(!locked);
}

void MainWindow::refreshPortItems()
{
    const QStringList devices = resolver.describeAll();
    for (int n = 1; n <= PortResolver::PortCount; ++n)
        MenuSetCom[n - 1]->setText(QStringLiteral("COM%1\t").arg(n) + devices.at(n - 1));
}

void MainWindow::checkPortItem(int index)
{
    for (QAction *item : MenuSetCom)
        item->setChecked(false);
    MenuSetCom[index - 1]->setChecked(true);
}

void MainWindow::MenuSetCom_Click(int index)
{
    if (index < 1 || index > PortResolver::PortCount)
        return;
    checkPortItem(index);
    link.setPortNumber(index);
    saveSettingsFile();
}

void MainWindow::saveSettingsFile()
{
    QStringList options{QString::fromLatin1(BackupKey) + (backupBeforeWriting() ? u'1' : u'0')};
    options << AutoShiftLine(automaticShift()) << recentFiles->files().settingsLines()
            << FolderSettingLines(folders);
    if (const Status saved =
            SaveImageFile(settingsPath, image, link.portNumber(), QDateTime::currentDateTime(), options);
        !saved)
        ShowProblem(this, QStringLiteral("Settings file could not be saved."), QStringLiteral("Error"),
                    saved.problem());
}

bool MainWindow::fullWrite() const
{
    return FullWrite->isChecked();
}

QString MainWindow::startFolder(const QString &kind) const
{
    if (QString folder = folders.value(kind); !folder.isEmpty() && QFileInfo(folder).isDir())
        return folder;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

void MainWindow::rememberFolder(const QString &kind, const QString &filePath)
{
    const QString folder = QFileInfo(filePath).absolutePath();
    if (folder.isEmpty() || folders.value(kind) == folder)
        return;
    folders.insert(kind, folder);
    saveSettingsFile();
}

bool MainWindow::backupBeforeWriting() const
{
    return BackupBeforeWrite->isChecked();
}

void MainWindow::setBackupBeforeWriting(bool on)
{
    BackupBeforeWrite->setChecked(on);
}

bool MainWindow::automaticShift() const
{
    return AutoShift->isChecked();
}

void MainWindow::noteImageFile(const QString &path)
{
    setWindowFilePath(path);
    setWindowTitle(WindowTitleFor(path));
    recentFiles->add(path);
}

void MainWindow::SETTING_READ_Click()
{
    runRadioCommand([this] {
        report(SettingRead(link, image.settings, image.dtmf, barProgress),
               QStringLiteral("Setting data read successed."));
    });
}

void MainWindow::SETTING_WRITE_Click()
{
    runRadioCommand([this] {
        report(SettingWrite(link, image.settings, image.dtmf, barProgress),
               QStringLiteral("Setting data write successed."));
    });
}

void MainWindow::ALL_READ_Click()
{
    runRadioCommand(
        [this] {
            const TransferOutcome read = ReadAllData(link, image, barProgress);
            if (read.ok)
                markClean();
            report(read, QStringLiteral("ALL read successed."));
        },
        QStringLiteral("Read All Data"));
}

void MainWindow::ALL_WRITE_Click()
{
    // A partition that does not add up to 500 is never sent: the same question as leaving the bank page.
    if (image.banks.total() != BankChannelTotal) {
        if (!AskYesNo(this, QStringLiteral("Bank Total Error. Init Data?"), QStringLiteral("Caution")))
            return;
        image.banks.reset();
    }
    runRadioCommand([this] {
        // The backup's header names the line as the COMPort menu does.
        const QString device = resolver.deviceFor(link.portNumber());
        const QString port = QStringLiteral("COM%1").arg(link.portNumber()) +
                             (device.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(device));
        const WriteRequest request{backupBeforeWriting(), fullWrite(), backups, port};
        const WriteReport written = WriteImage(link, image, barProgress, request);
        if (written.outcome.ok) // the radio now holds the image
            markClean();
        ShowWriteReport(*this, written);
    });
}

void MainWindow::Verify_Click()
{
    runRadioCommand([this] {
        CloneImage radio;
        const TransferOutcome read = ReadAllData(link, radio, barProgress);
        if (!read.ok) {
            report(read, QString());
            return;
        }
        const std::vector<ImageDifference> differences = CompareImages(image, radio);
        if (differences.empty()) {
            ShowMessage(this, QStringLiteral("Radio matches."), QStringLiteral(" Finish"));
            return;
        }
        QStringList lines{DifferenceLegend(QStringLiteral("the window's"))};
        for (const ImageDifference &difference : differences)
            lines << difference.describe();
        ShowMessage(
            this, QStringLiteral("The radio differs from the window in %1 place(s).").arg(differences.size()),
            QStringLiteral(" Finish"), lines.join(QLatin1Char('\n')));
    });
}

void MainWindow::MenuVersion_Click()
{
    VersionDialog dialog(this);
    dialog.exec();
}

void MainWindow::setMenusEnabled(bool enabled)
{
    for (QMenu *menu : {File, MenuEdit, MenuComPort, MenuHelp, Tusin_Botton}) {
        menu->menuAction()->setEnabled(enabled);
        menu->setEnabled(enabled);
    }
}

void MainWindow::LockControls()
{
    locked = true;
    ProgressText->setText(QStringLiteral("0%"));
    TabStrip1->setEnabled(false);
    if (grid)
        grid->setEnabled(false);
    for (const CommandWidget &command : commandWidgets)
        command.enable(false);
    setMenusEnabled(false);
    ProgressBar1->setValue(0);
}

void MainWindow::UnlockControls()
{
    TabStrip1->setEnabled(true);
    if (grid)
        grid->setEnabled(true);
    for (const CommandWidget &command : commandWidgets)
        command.enable(true);
    setMenusEnabled(true);
    ProgressText->setText(QStringLiteral("0%"));
    ProgressBar1->setValue(0);
    link.close();
    locked = false;
}

void MainWindow::runRadioCommand(const std::function<void()> &body, const QString &stepName)
{
    // A window of its own (glyphs, bank links) must not start a transfer inside another: unlocking at
    // its end would free the controls while the first still runs.
    if (locked) {
        ShowMessage(this, QStringLiteral("Port Error"), QStringLiteral(" Error"),
                    QStringLiteral("Another transfer is still running. Wait until it has finished."));
        return;
    }
    runStep(stepName.isEmpty() ? QStringLiteral("Read from the radio") : stepName, [&] {
        LockControls();
        try {
            body();
        } catch (const PortError &e) {
            ShowMessage(this, QStringLiteral("Port Error"), QStringLiteral(" Error"), e.detail());
        } catch (const std::exception &e) {
            ShowMessage(this, QStringLiteral("Port Error"), QStringLiteral(" Error"),
                        QString::fromLocal8Bit(e.what()));
        }
        UnlockControls();
    });
}

void MainWindow::runStep(const QString &name, const std::function<void()> &body)
{
    recordPendingEdit();
    ++stepDepth;
    // However the command ends, what it changed is recorded.
    struct Leave {
        MainWindow &window;
        const QString &name;
        ~Leave()
        {
            if (--window.stepDepth > 0)
                return;
            window.pendingEdit.clear();
            window.history.record(name);
            window.refreshEditItems();
        }
    } leave{*this, name};
    body();
}

void MainWindow::noteEdit(const QString &region)
{
    if (stepDepth > 0 || restoring)
        return;
    // Recorded once the event that made it is done, so one click that changes several cells is one step.
    pendingEdit = region;
    editTimer->start();
}

void MainWindow::recordPendingEdit()
{
    editTimer->stop();
    if (pendingEdit.isEmpty())
        return;
    const QString region = std::exchange(pendingEdit, QString());
    history.record(region, region);
    refreshEditItems();
}

bool MainWindow::isClean()
{
    recordPendingEdit();
    return history.isClean();
}

void MainWindow::markClean()
{
    history.markClean();
    refreshEditItems();
}

QList<QAction *> MainWindow::rowEditActions() const
{
    return {EditCut, EditCopy, EditPaste, EditMoveUp, EditMoveDown, EditInsertRow, EditDeleteShift};
}

void MainWindow::EditUndo_Click()
{
    travel(&ImageHistory::undo);
}

void MainWindow::EditRedo_Click()
{
    travel(&ImageHistory::redo);
}

void MainWindow::travel(bool (ImageHistory::*move)())
{
    recordPendingEdit();
    if (locked)
        return;
    // What the pages do while the image is put back is part of the undo, not a new edit.
    restoring = true;
    (history.*move)();
    restoring = false;
    refreshEditItems();
}

void MainWindow::refreshEditItems()
{
    EditUndo->setText(history.canUndo() ? QStringLiteral("Undo ") + history.undoName()
                                        : QStringLiteral("Undo"));
    EditRedo->setText(history.canRedo() ? QStringLiteral("Redo ") + history.redoName()
                                        : QStringLiteral("Redo"));
    setWindowModified(!history.isClean());
    EditUndo->setEnabled(history.canUndo());
    EditRedo->setEnabled(history.canRedo());
    const bool memoryPage = pageNumber == 1;
    for (QAction *action : {EditCut, EditCopy, EditPaste, EditMoveUp, EditMoveDown, EditSortByFrequency,
                            EditSortByName, EditInsertRow, EditDeleteShift, EditFindDuplicates})
        action->setEnabled(memoryPage);
    EditSort->menuAction()->setEnabled(memoryPage);
}

void MainWindow::buildEditMenu()
{
    MenuEdit = menuBar()->addMenu(QStringLiteral("Edit(&E)"));
    MenuEdit->setObjectName(QStringLiteral("MenuEdit"));
    auto addItem = [this](const QString &text, const char *name, const QList<QKeySequence> &keys) {
        QAction *action = MenuEdit->addAction(text);
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcuts(keys);
        return action;
    };
    EditUndo = addItem(QStringLiteral("Undo"), "EditUndo", {QKeySequence(Qt::CTRL | Qt::Key_Z)});
    EditRedo = addItem(QStringLiteral("Redo"), "EditRedo",
                       {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    MenuEdit->addSeparator();
    EditCut = addItem(QStringLiteral("Cut"), "EditCut", {QKeySequence::Cut});
    EditCopy = addItem(QStringLiteral("Copy"), "EditCopy", {QKeySequence::Copy});
    EditPaste = addItem(QStringLiteral("Paste"), "EditPaste", {QKeySequence::Paste});
    MenuEdit->addSeparator();
    EditMoveUp = addItem(QStringLiteral("Move Up"), "EditMoveUp", {QKeySequence(Qt::ALT | Qt::Key_Up)});
    EditMoveDown =
        addItem(QStringLiteral("Move Down"), "EditMoveDown", {QKeySequence(Qt::ALT | Qt::Key_Down)});
    connect(EditUndo, &QAction::triggered, this, &MainWindow::EditUndo_Click);
    connect(EditRedo, &QAction::triggered, this, &MainWindow::EditRedo_Click);
    connect(EditCut, &QAction::triggered, this, [this] { memory->CutRows(); });
    connect(EditCopy, &QAction::triggered, this, [this] { memory->CopyRows(); });
    connect(EditPaste, &QAction::triggered, this, [this] { memory->PasteRows(); });
    connect(EditMoveUp, &QAction::triggered, this, [this] { memory->MoveRows(-1); });
    connect(EditMoveDown, &QAction::triggered, this, [this] { memory->MoveRows(1); });
    buildRowItems();

    editTimer = new QTimer(this);
    editTimer->setSingleShot(true);
    editTimer->setInterval(0);
    connect(editTimer, &QTimer::timeout, this, &MainWindow::recordPendingEdit);
    // Every region's changes, wherever they come from, reach the history.
    auto watch = [this](auto *region, auto signal, const char *name) {
        connect(region, signal, this, [this, name] { noteEdit(QString::fromLatin1(name)); });
    };
    watch(&image.channels, &ChannelTable::changed, "channel edit");
    watch(&image.banks, &BankPartition::changed, "bank edit");
    watch(&image.settings, &SetModeSettings::changed, "Set Mode edit");
    watch(&image.dtmf, &DtmfMemories::changed, "DTMF edit");
    watch(&image.oneTouch, &OneTouchKeys::changed, "one-touch edit");
    watch(&image.title, &OpeningTitle::changed, "title edit");
    watch(&image.bankLinks, &BankLinks::changed, "bank link edit");
    watch(&image.glyphs, &FontGlyphs::changed, "glyph edit");
}

void MainWindow::buildRowItems()
{
    auto addItem = [](QMenu *menu, const QString &text, const char *name, const QKeySequence &key = {}) {
        QAction *action = menu->addAction(text);
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcut(key);
        return action;
    };
    MenuEdit->addSeparator();
    EditSort = MenuEdit->addMenu(QStringLiteral("Sort Selected Rows"));
    EditSort->setObjectName(QStringLiteral("EditSort"));
    EditSortByFrequency = addItem(EditSort, QStringLiteral("By Frequency"), "EditSortByFrequency");
    EditSortByName = addItem(EditSort, QStringLiteral("By Name"), "EditSortByName");
    EditInsertRow = addItem(MenuEdit, QStringLiteral("Insert Empty Row"), "EditInsertRow",
                            QKeySequence(Qt::ALT | Qt::Key_Insert));
    EditDeleteShift = addItem(MenuEdit, QStringLiteral("Delete and Shift Up"), "EditDeleteShift",
                              QKeySequence(Qt::ALT | Qt::Key_Delete));
    EditFindDuplicates = addItem(MenuEdit, QStringLiteral("Find Duplicates"), "EditFindDuplicates");
    MenuEdit->addSeparator();
    AutoShift = addItem(MenuEdit, QStringLiteral("Automatic repeater shift"), "AutoShift");
    AutoShift->setCheckable(true);
    AutoShift->setChecked(ReadAutoShiftSetting(settingsPath));
    connect(EditSortByFrequency, &QAction::triggered, this,
            [this] { SortSelectedRowsCommand(*this, SortKey::Frequency); });
    connect(EditSortByName, &QAction::triggered, this,
            [this] { SortSelectedRowsCommand(*this, SortKey::Name); });
    connect(EditInsertRow, &QAction::triggered, this, [this] { InsertEmptyRowCommand(*this); });
    connect(EditDeleteShift, &QAction::triggered, this, [this] { DeleteAndShiftUpCommand(*this); });
    connect(EditFindDuplicates, &QAction::triggered, this, [this] { FindDuplicatesCommand(*this); });
    connect(AutoShift, &QAction::toggled, this, [this] { saveSettingsFile(); });
}

void MainWindow::report(const TransferOutcome &outcome, const QString &doneText)
{
    for (const Notice &notice : outcome.notices)
        ShowMessage(this, notice.text, notice.title, notice.detail);
    if (outcome.ok)
        ShowMessage(this, doneText, QStringLiteral(" Finish"));
    else if (!outcome.message.text.isEmpty())
        ShowMessage(this, outcome.message.text, outcome.message.title, outcome.message.detail);
}

void MainWindow::cmdZQRESET_Click()
{
    runRadioCommand([this] { link.SendReset(); });
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // A transfer waits in a nested event loop further up the stack; the window must outlive it.
    if (locked) {
        event->ignore();
        return;
    }
    if (!ConfirmUnsavedChanges(*this, QStringLiteral("closing"))) {
        event->ignore();
        return;
    }
    link.close();
    event->accept();
}

} // namespace n35
