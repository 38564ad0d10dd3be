#include "ui/banklinkwindow.h"

#include "link/banklinktransfer.h"
#include "model/banklinks.h"
#include "model/banks.h"
#include "model/fixedtexts.h"
#include "session/session.h"
#include "ui/radiocommand.h"
#include "ui/twips.h"

#include <QBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <algorithm>

namespace n35
{

namespace
{

constexpr int RunLength = 10; // banks between two separators
constexpr int RunCount = BankLinks::BankCount / RunLength;

const QColor EmptyBack(128, 128, 128); // basic palette 8
const QColor LinkedBack(0, 0, 128);    // basic palette 1
const QColor MarkText(255, 0, 0);      // basic palette 12
const QColor PlainText(0, 0, 0);       // basic palette 0

bool IsSeparator(int column)
{
    return column > 0 && column % (RunLength + 1) == 0;
}

QTableWidgetItem *FixedItem(const QString &text, const QString &accessible, const QBrush &back)
{
    auto *item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled);
    item->setTextAlignment(Qt::AlignCenter);
    item->setBackground(back);
    item->setData(Qt::AccessibleTextRole, accessible);
    return item;
}

} // namespace

int BankLinkWindow::BankColumn(int bank)
{
    return bank + 1 + bank / RunLength;
}

int BankLinkWindow::ColumnBank(int column)
{
    if (column <= 0 || column >= ColumnCount || IsSeparator(column))
        return -1;
    return column - 1 - column / (RunLength + 1);
}

BankLinkWindow::BankLinkWindow(Session &owner, QWidget *parent)
    : QDialog(parent), session(owner), links(owner.image().bankLinks), banks(owner.image().banks)
{
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(FixedText::BankLinkWindowCaption());
    setModal(true);

    // Links only make sense over a partition of 500; one being edited gives way to the default.
    if (banks.total() != BankChannelTotal)
        banks.reset();
    links.dropEmptyBanks(banks);

    buildGrid();
    GROUP_READ =
        addButton(QStringLiteral("Read"), QStringLiteral("GROUP_READ"), QStringLiteral("Read bank links"));
    GROUP_WRITE =
        addButton(QStringLiteral("Write"), QStringLiteral("GROUP_WRITE"), QStringLiteral("Write bank links"));
    cmdClearBankLink = addButton(QStringLiteral("Clear"), QStringLiteral("cmdClearBankLink"),
                                 QStringLiteral("Clear bank links"));
    cmdOK = addButton(FixedText::Ok(), QStringLiteral("cmdOK"), FixedText::Ok());
    connect(GROUP_READ, &QPushButton::clicked, this, &BankLinkWindow::GROUP_READ_Click);
    connect(GROUP_WRITE, &QPushButton::clicked, this, &BankLinkWindow::GROUP_WRITE_Click);
    connect(cmdClearBankLink, &QPushButton::clicked, this, &BankLinkWindow::cmdClearBankLink_Click);
    connect(cmdOK, &QPushButton::clicked, this, &BankLinkWindow::cmdOK_Click);
    // While a transfer runs, here or in the main window, nothing here may start another or edit.
    for (QWidget *widget :
         std::initializer_list<QWidget *>{MSFlexGrid1, GROUP_READ, GROUP_WRITE, cmdClearBankLink, cmdOK})
        new BusyGate(session, widget);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (QPushButton *button : {GROUP_READ, GROUP_WRITE, cmdClearBankLink})
        buttons->addWidget(button);
    buttons->addSpacing(twips(600));
    buttons->addWidget(cmdOK);

    auto *layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->setSpacing(twips(60));
    layout->addWidget(buildRunLabels());
    layout->addWidget(MSFlexGrid1);
    layout->addSpacing(twips(120));
    layout->addLayout(buttons);

    if (parent)
        move(parent->window()->pos() + QPoint(twips(2000), twips(1000)));

    connect(&links, &BankLinks::changed, this, &BankLinkWindow::ShowBankLinks);
    connect(&banks, &BankPartition::changed, this, &BankLinkWindow::partitionChanged);
    ShowBankLinks();
}

QPushButton *BankLinkWindow::addButton(const QString &caption, const QString &name, const QString &accessible)
{
    auto *button = new QPushButton(caption, this);
    button->setObjectName(name);
    button->setAccessibleName(accessible);
    button->setAutoDefault(false);
    return button;
}

void BankLinkWindow::buildGrid()
{
    MSFlexGrid1 = new QTableWidget(RowCount, ColumnCount, this);
    QTableWidget *grid = MSFlexGrid1;
    grid->setObjectName(QStringLiteral("MSFlexGrid1"));
    grid->setAccessibleName(QStringLiteral("Bank links"));
    // The header row and the group column are cells of the matrix itself, as the layout counts them.
    grid->horizontalHeader()->hide();
    grid->verticalHeader()->hide();
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionMode(QAbstractItemView::NoSelection);
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setTabKeyNavigation(false);
    grid->installEventFilter(this);

    const QBrush fixed = palette().button();
    grid->setItem(0, 0, FixedItem(QString(), QString(), fixed));
    for (int group = 0; group < BankLinks::GroupCount; ++group) {
        const QString name = BankLinks::GroupName(group);
        grid->setItem(group + 1, 0, FixedItem(name, name, fixed));
    }
    for (int bank = 0; bank < BankLinks::BankCount; ++bank) {
        const int column = BankColumn(bank);
        grid->setItem(
            0, column,
            FixedItem(QString::number(bank % RunLength), QStringLiteral("Bank %1").arg(bank), fixed));
        for (int row = 1; row < RowCount; ++row) {
            auto *cell = new QTableWidgetItem;
            cell->setFlags(Qt::ItemIsEnabled);
            grid->setItem(row, column, cell);
        }
    }
    for (int column = 0; column < ColumnCount; ++column) {
        if (IsSeparator(column))
            grid->setItem(0, column, FixedItem(QString(), QString(), fixed));
    }

    // The sizes in twips were drawn for a small system font; a larger one widens the cells, so a digit
    // or a group name is never cut off.
    QHeaderView *columns = grid->horizontalHeader();
    QHeaderView *rows = grid->verticalHeader();
    columns->setMinimumSectionSize(1);
    rows->setMinimumSectionSize(1);
    columns->setSectionResizeMode(QHeaderView::Fixed);
    rows->setSectionResizeMode(QHeaderView::Fixed);
    grid->resizeColumnsToContents();
    grid->resizeRowsToContents();
    int bankWidth = twips(200);
    for (int bank = 0; bank < BankLinks::BankCount; ++bank)
        bankWidth = std::max(bankWidth, grid->columnWidth(BankColumn(bank)));
    int rowHeight = twips(200);
    for (int row = 0; row < RowCount; ++row)
        rowHeight = std::max(rowHeight, grid->rowHeight(row));
    const int groupWidth = std::max(twips(700), grid->columnWidth(0));
    for (int column = 0; column < ColumnCount; ++column)
        grid->setColumnWidth(column, column == 0 ? groupWidth : IsSeparator(column) ? twips(20) : bankWidth);
    for (int row = 0; row < RowCount; ++row)
        grid->setRowHeight(row, rowHeight);
    const int frame = 2 * grid->frameWidth();
    grid->setFixedSize(columns->length() + frame, rows->length() + frame);

    // The keyboard starts on the first cell that can be toggled, not on the corner.
    grid->setCurrentCell(1, BankColumn(0));
    connect(grid, &QTableWidget::cellClicked, this, &BankLinkWindow::MSFlexGrid1_Click);
}

QWidget *BankLinkWindow::buildRunLabels()
{
    // Each label spans its run of ten bank columns, so it stays over them whatever the cell width.
    auto *strip = new QWidget(this);
    auto *row = new QHBoxLayout(strip);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    row->addSpacing(MSFlexGrid1->frameWidth() + MSFlexGrid1->columnWidth(0));
    for (int run = 0; run < RunCount; ++run) {
        const int first = run * RunLength;
        auto *label =
            new QLabel(QStringLiteral("BANK%1\uFF5E%2").arg(first).arg(first + RunLength - 1), strip);
        label->setObjectName(QStringLiteral("BankRunLabel_%1").arg(run));
        label->setAlignment(Qt::AlignCenter);
        int width = 0;
        for (int bank = first; bank < first + RunLength; ++bank)
            width += MSFlexGrid1->columnWidth(BankColumn(bank));
        label->setFixedWidth(width);
        row->addWidget(label);
        if (run + 1 < RunCount)
            row->addSpacing(MSFlexGrid1->columnWidth(BankColumn(first + RunLength) - 1));
    }
    row->addStretch(1);
    return strip;
}

void BankLinkWindow::ShowBankLinks()
{
    MSFlexGrid1->setUpdatesEnabled(false);
    for (int bank = 0; bank < BankLinks::BankCount; ++bank) {
        const bool empty = banks.count(bank) == 0;
        for (int group = 0; group < BankLinks::GroupCount; ++group) {
            QTableWidgetItem *cell = MSFlexGrid1->item(group + 1, BankColumn(bank));
            const bool linked = !empty && links.linked(group, bank);
            cell->setBackground(empty ? QBrush(EmptyBack) : linked ? QBrush(LinkedBack) : QBrush());
            cell->setForeground(empty || linked ? MarkText : PlainText);
            const QString state = empty    ? QStringLiteral("no channels")
                                  : linked ? QStringLiteral("linked")
                                           : QStringLiteral("not linked");
            cell->setData(
                Qt::AccessibleTextRole,
                QStringLiteral("%1, bank %2, %3").arg(BankLinks::GroupName(group)).arg(bank).arg(state));
        }
    }
    MSFlexGrid1->setUpdatesEnabled(true);
}

void BankLinkWindow::partitionChanged()
{
    // A bank that has just lost its channels loses its links with them; the links' signal repaints.
    links.dropEmptyBanks(banks);
    ShowBankLinks();
}

void BankLinkWindow::MSFlexGrid1_Click(int row, int column)
{
    const int bank = ColumnBank(column);
    if (row < 1 || row >= RowCount || bank < 0 || banks.count(bank) == 0)
        return;
    links.toggle(row - 1, bank);
}

bool BankLinkWindow::eventFilter(QObject *watched, QEvent *event)
{
    // Space toggles the current cell, for those who move through the matrix with the arrow keys.
    if (watched == MSFlexGrid1 && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent *>(event)->key() == Qt::Key_Space) {
        MSFlexGrid1_Click(MSFlexGrid1->currentRow(), MSFlexGrid1->currentColumn());
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void BankLinkWindow::GROUP_READ_Click()
{
    RunRadioCommand(
        session, this,
        [this] {
            TransferOutcome outcome = BankLinkRead(session.link(), links, session.progress());
            // The radio may link banks that hold no channels here; those links go, as on opening.
            if (outcome.ok)
                links.dropEmptyBanks(banks);
            return outcome;
        },
        FixedText::GroupReadSucceeded());
}

void BankLinkWindow::GROUP_WRITE_Click()
{
    RunRadioCommand(
        session, this, [this] { return BankLinkWrite(session.link(), links, session.progress()); },
        FixedText::GroupWriteSucceeded());
}

void BankLinkWindow::cmdClearBankLink_Click()
{
    links.reset();
}

void BankLinkWindow::cmdOK_Click()
{
    accept();
}

void BankLinkWindow::reject()
{
    if (!session.isBusy())
        QDialog::reject();
}

} // namespace n35
