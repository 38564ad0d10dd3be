#include "ui/mainwindow.h"

#include "link/wholeradio.h"
#include "model/fixedtexts.h"
#include "ui/appicon.h"
#include "ui/backupcommands.h"
#include "ui/bankpage.h"
#include "ui/commonpage.h"
#include "ui/editmenu.h"
#include "ui/filecommands.h"
#include "ui/memorypage.h"
#include "ui/menuitem.h"
#include "ui/messages.h"
#include "ui/recentfiles.h"
#include "ui/setmodepage.h"
#include "ui/twips.h"
#include "ui/unsavedchanges.h"
#include "ui/versiondialog.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QTabBar>
#include <QVBoxLayout>
#include <algorithm>

namespace n35
{

MainWindow::MainWindow(RadioPort *port, const QString &settingsPath, QWidget *parent)
    : QMainWindow(parent), core(port, settingsPath)
{
    setObjectName(QStringLiteral("Form1"));
    buildControls();
    buildPages();
    buildMenus();

    barProgress.attach(ProgressBar1, ProgressText);
    barProgress.start(100);
    core.setProgress(&barProgress);
    checkPortItem(core.link().portNumber());
    connect(&core, &Session::busyChanged, this, &MainWindow::showBusy);
    connect(&core, &Session::historyChanged, this, &MainWindow::showHistory);
    connect(&core, &Session::fileNamed, this, &MainWindow::showFile);
    connect(&core, &Session::settingsNotSaved, this, [this](const Problem &problem) {
        ShowMessage(this, FixedText::SettingsFileNotSaved(), FixedText::FileErrorTitle(), problem.describe());
    });

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
    core.startHistory();
}

MainWindow::~MainWindow()
{
    // The pages are views of the session's clone image, a member that would otherwise die first.
    delete takeCentralWidget();
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
    for (const QString &text :
         {FixedText::MemoryTab(), FixedText::BankTab(), FixedText::CommonTab(), FixedText::SetModeTab()})
        TabStrip1->addTab(text);
    connect(TabStrip1, &QTabBar::currentChanged, this, [this](int index) { switchPage(index + 1); });

    // The pages share one place; only the current one is shown. Layouts rather than fixed positions, so
    // the window can grow (the memory grid with it) and nothing is cut off at a larger system font.
    auto *pages = new QVBoxLayout;
    const QString captions[PageCount] = {FixedText::MemoryFrame(), FixedText::BankFrame(),
                                         FixedText::CommonFrame(), FixedText::SetModeFrame()};
    for (int i = 0; i < PageCount; ++i) {
        auto *frame = new QGroupBox(captions[i], client);
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
    new BusyGate(core, cmdZQRESET);

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

void MainWindow::buildPages()
{
    memory = new MemoryPage(core, A_FRAME[0]);
    bank = new BankPage(core, A_FRAME[1]);
    common = new CommonPage(core, A_FRAME[2]);
    setMode = new SetModePage(core, A_FRAME[3]);
    connect(memory, &MemoryPage::showRequested, this, [this] { switchPage(1); });
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
}

void MainWindow::buildMenus()
{
    File = AddFileMenu(menuBar(), core, this, *memory);
    MenuEdit = new EditMenu(core, *memory, this);
    menuBar()->addMenu(MenuEdit);
    buildRadioMenus();
    MenuHelp = menuBar()->addMenu(FixedText::HelpMenu());
    MenuHelp->setObjectName(QStringLiteral("MenuHelp"));
    connect(AddMenuItem(MenuHelp, FixedText::VersionItem(), "MenuVersion"), &QAction::triggered, this,
            &MainWindow::MenuVersion_Click);
}

void MainWindow::buildRadioMenus()
{
    MenuComPort = menuBar()->addMenu(FixedText::ComPortMenu());
    MenuComPort->setObjectName(QStringLiteral("MenuComPort"));
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

    Tusin_Botton = menuBar()->addMenu(FixedText::CommunicationMenu());
    Tusin_Botton->setObjectName(QStringLiteral("Tusin_Botton"));
    connect(AddMenuItem(Tusin_Botton, FixedText::WriteAllItem(), "ALL_WRITE"), &QAction::triggered, this,
            &MainWindow::ALL_WRITE_Click);
    connect(AddMenuItem(Tusin_Botton, FixedText::ReadAllItem(), "ALL_READ"), &QAction::triggered, this,
            &MainWindow::ALL_READ_Click);
    connect(AddMenuItem(Tusin_Botton, QStringLiteral("Verify(&V)"), "Verify"), &QAction::triggered, this,
            &MainWindow::Verify_Click);
    Tusin_Botton->addSeparator();
    QAction *BackupBeforeWrite =
        AddMenuItem(Tusin_Botton, QStringLiteral("Back up the radio before writing"), "BackupBeforeWrite");
    BackupBeforeWrite->setCheckable(true);
    BackupBeforeWrite->setChecked(core.settings().backupBeforeWriting);
    connect(BackupBeforeWrite, &QAction::toggled, &core, &Session::setBackupBeforeWriting);
    FullWrite = AddMenuItem(Tusin_Botton, QStringLiteral("Write every block, not only the changed ones"),
                            "FullWrite");
    FullWrite->setCheckable(true);
    AddBackupItems(core, this, Tusin_Botton);
}

void MainWindow::switchPage(int page)
{
    if (page < 1 || page > PageCount || page == pageNumber)
        return;
    // Every page but the bank page needs a partition of 500: the bank page silently starts again from
    // the default, the others ask, and "No" stays where the user was.
    BankPartition &banks = core.image().banks;
    // A count still being typed counts: leaving its box settles it first.
    if (QWidget *focused = QApplication::focusWidget(); focused && isAncestorOf(focused))
        focused->clearFocus();
    if (pageNumber != 0 && banks.total() != BankChannelTotal) {
        if (page != 2 && !AskYesNo(this, FixedText::BankTotalInitQuestion(), FixedText::CautionTitle())) {
            const QSignalBlocker quiet(TabStrip1);
            TabStrip1->setCurrentIndex(pageNumber - 1);
            return;
        }
        banks.reset();
    }
    // The row labels and the lists built from the partition already follow every valid partition.
    pageNumber = page;
    if (MenuEdit)
        MenuEdit->setMemoryPageShown(page == 1);
    for (int i = 0; i < PageCount; ++i) {
        const bool current = i == page - 1;
        A_FRAME[i]->setVisible(current);
        A_FRAME[i]->setEnabled(current);
    }
    const QSignalBlocker quiet(TabStrip1);
    TabStrip1->setCurrentIndex(page - 1);
}

void MainWindow::refreshPortItems()
{
    const QStringList devices = core.portResolver().describeAll();
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
    core.setPortNumber(index);
}

void MainWindow::ALL_READ_Click()
{
    ReportOutcome(this, core.readAll(), FixedText::AllReadSucceeded());
}

void MainWindow::ALL_WRITE_Click()
{
    // A partition that does not add up to 500 is never sent: the same question as leaving the bank page.
    if (core.image().banks.total() != BankChannelTotal) {
        if (!AskYesNo(this, FixedText::BankTotalInitQuestion(), FixedText::CautionTitle()))
            return;
        core.image().banks.reset();
    }
    const WriteRequest request{
        core.settings().backupBeforeWriting, FullWrite->isChecked(), core.backupFolder(), {}};
    ShowWriteReport(core, this, core.writeAll(request));
}

void MainWindow::Verify_Click()
{
    const Session::Verification verification = core.verify();
    if (!verification.read.ok) {
        ReportOutcome(this, verification.read, {});
        return;
    }
    if (verification.differences.empty()) {
        ShowMessage(this, FixedText::RadioMatches(), FixedText::FinishTitle());
        return;
    }
    QStringList lines{DifferenceLegend(QStringLiteral("the window's"))};
    for (const ImageDifference &difference : verification.differences)
        lines << difference.describe();
    ShowMessage(this,
                QStringLiteral("The radio differs from the window in %1 place(s).")
                    .arg(verification.differences.size()),
                FixedText::FinishTitle(), lines.join(QLatin1Char('\n')));
}

void MainWindow::MenuVersion_Click()
{
    VersionDialog dialog(this);
    dialog.exec();
}

void MainWindow::showBusy(bool busy)
{
    TabStrip1->setEnabled(!busy);
    for (QMenu *menu : {File, static_cast<QMenu *>(MenuEdit), MenuComPort, MenuHelp, Tusin_Botton}) {
        menu->menuAction()->setEnabled(!busy);
        menu->setEnabled(!busy);
    }
    ProgressText->setText(QStringLiteral("0%"));
    ProgressBar1->setValue(0);
}

void MainWindow::showHistory()
{
    setWindowModified(!core.history().isClean());
}

void MainWindow::showFile(const QString &path)
{
    setWindowFilePath(path);
    setWindowTitle(WindowTitleFor(path));
}

void MainWindow::cmdZQRESET_Click()
{
    RunRadioCommand(core, this,
                    [this] {
                        core.link().SendReset();
                        return TransferOutcome::success();
                    },
                    {});
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // A transfer waits in a nested event loop further up the stack; the window must outlive it.
    if (core.isBusy() || !ConfirmUnsavedChanges(core, this, QStringLiteral("closing"))) {
        event->ignore();
        return;
    }
    core.link().close();
    event->accept();
}

} // namespace n35
