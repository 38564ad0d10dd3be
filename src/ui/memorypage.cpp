#include "ui/memorypage.h"

#include "files/rowclipboard.h"
#include "model/fixedtexts.h"
#include "model/rowedits.h"

#include "link/channeltransfer.h"
#include "model/channelcells.h"
#include "model/channeltable.h"
#include "session/session.h"
#include "ui/channeleditor.h"
#include "ui/channelgridmodel.h"
#include "ui/findbar.h"
#include "ui/glyphpreview.h"
#include "ui/messages.h"
#include "ui/radiocommand.h"
#include "ui/twips.h"

#include <QBoxLayout>
#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QInputDialog>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>
#include <QStyle>
#include <QTableView>
#include <algorithm>
#include <array>

namespace n35
{

namespace
{

constexpr int LabelColumnTwips = 1200;
constexpr std::array<int, ChannelCellCount> CellColumnTwips = {1350, 550, 700, 800,  800, 800,
                                                               800,  800, 600, 1200, 400, 3500};
constexpr Qt::Alignment HeaderAlignment = Qt::AlignLeft | Qt::AlignVCenter;

// The texts that may take the most room in a column: every choice of a listed column, the longest
// frequencies, a name of 16 wide letters or eight double-width characters.
QStringList WidestCellTexts(int column)
{
    switch (column) {
    case ColFrequency:
        return {QStringLiteral("4294.96729MHz"), QStringLiteral("1270.00625MHz")};
    case ColShiftFreq:
        return {QStringLiteral("999.99995MHz")};
    case ColName:
        return {QString(16, QLatin1Char('W')), QString(8, QChar(0x5BFF)), QString(8, QChar(0xFF37))};
    default:
        return CellChoices(column);
    }
}

} // namespace

MemoryPage::MemoryPage(Session &owner, QWidget *parent) : QWidget(parent), session(owner)
{
    setObjectName(QStringLiteral("MemoryPage"));
    buildGrid();
    buildFindBar();

    MemAllRead = addButton("Read all memory", "MemAllRead", &MemoryPage::MemAllRead_Click);
    MemAllWrite = addButton("Write all memory", "MemAllWrite", &MemoryPage::MemAllWrite_Click);
    MEM_ONE_READ = addButton("Read selected memory", "MEM_ONE_READ", &MemoryPage::MEM_ONE_READ_Click);
    MEM_ONE_WRITE = addButton("Write selected memory", "MEM_ONE_WRITE", &MemoryPage::MEM_ONE_WRITE_Click);
    Clear_Botton = addButton("Clear selected memory", "Clear_Botton", &MemoryPage::Clear_Botton_Click);
    ALL_Reset = addButton("Clear all memory", "ALL_Reset", &MemoryPage::ALL_Reset_Click);
    for (int index = 0; index < 2; ++index) {
        auto *button = new QPushButton(index == 0 ? QStringLiteral("Up") : QStringLiteral("Down"), this);
        button->setObjectName(QStringLiteral("LIST_SET_%1").arg(index));
        connect(button, &QPushButton::clicked, this, [this, index] { LIST_SET_Click(index); });
        new BusyGate(session, button);
        LIST_SET[static_cast<std::size_t>(index)] = button;
    }

    auto *buttons = new QHBoxLayout;
    for (QPushButton *button : {MemAllRead, MemAllWrite, MEM_ONE_READ, MEM_ONE_WRITE, Clear_Botton, ALL_Reset,
                                LIST_SET[0], LIST_SET[1]})
        buttons->addWidget(button);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(MSFlexGrid1, 1);
    layout->addWidget(finder);
    layout->addLayout(buttons);
}

void MemoryPage::buildFindBar()
{
    finder = new FindBar(
        session.image().channels, [this] { return currentChannel(); }, this);
    finder->hide();
    // It moves the grid's selection: locked with the grid while a transfer runs.
    new BusyGate(session, finder);
    connect(finder, &FindBar::channelFound, this, [this](int channel) { selectChannels(channel, channel); });
    connect(finder, &FindBar::closed, MSFlexGrid1, qOverload<>(&QWidget::setFocus));
    // Only while the page shows: a hidden widget's shortcuts do not fire.
    connect(new QShortcut(QKeySequence::Find, this), &QShortcut::activated, finder, &FindBar::openFind);
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_G), this), &QShortcut::activated, finder,
            &FindBar::openGoTo);
}

void MemoryPage::buildGrid()
{
    model = new ChannelGridModel(session.image().channels, this);
    MSFlexGrid1 = new QTableView(this);
    MSFlexGrid1->setObjectName(QStringLiteral("MSFlexGrid1"));
    MSFlexGrid1->setModel(model);
    MSFlexGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    MSFlexGrid1->setSelectionMode(QAbstractItemView::ContiguousSelection);
    MSFlexGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    MSFlexGrid1->setWordWrap(false);

    // Fixed sizes throughout: measuring 952 rows of contents would make every refresh slow.
    QHeaderView *columns = MSFlexGrid1->horizontalHeader();
    columns->setDefaultAlignment(HeaderAlignment);
    columns->setHighlightSections(false);
    columns->setMinimumSectionSize(1);
    columns->setStretchLastSection(true); // the name takes what the window gives beyond the minimums
    // Each column at least as wide as the widest text it can hold in the grid's font.
    const QFontMetrics metrics = MSFlexGrid1->fontMetrics();
    const int padding =
        2 * MSFlexGrid1->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, MSFlexGrid1) +
        metrics.horizontalAdvance(QLatin1Char('0'));
    const QStringList headers = ChannelHeaderTexts();
    for (int column = 0; column < ChannelCellCount; ++column) {
        int widest = twips(CellColumnTwips[static_cast<std::size_t>(column)]);
        const QStringList texts = WidestCellTexts(column + 1) << headers.at(column + 1);
        for (const QString &text : texts)
            widest = std::max(widest, metrics.horizontalAdvance(text) + padding);
        columns->resizeSection(column, widest);
    }

    QHeaderView *labels = MSFlexGrid1->verticalHeader();
    labels->setDefaultAlignment(HeaderAlignment);
    labels->setHighlightSections(false);
    labels->setSectionResizeMode(QHeaderView::Fixed);
    labels->setDefaultSectionSize(MSFlexGrid1->fontMetrics().height() + 4);
    int labelWidth = twips(LabelColumnTwips);
    for (const QString &label : {QStringLiteral("Dual99(Main) "), QStringLiteral("Bank49-499")})
        labelWidth = std::max(labelWidth, metrics.horizontalAdvance(label) + padding);
    labels->setFixedWidth(labelWidth);

    MSFlexGrid1->selectionModel()->setCurrentIndex(model->index(0, 0), QItemSelectionModel::ClearAndSelect |
                                                                           QItemSelectionModel::Rows);
    MSFlexGrid1->setAccessibleName(QStringLiteral("Memory channels"));
    // Names show the custom glyphs as the radio will, repainted when a glyph is edited.
    const FontGlyphs &glyphs = session.image().glyphs;
    MSFlexGrid1->setItemDelegateForColumn(ColName - 1, new NameCellDelegate(glyphs, MSFlexGrid1));
    connect(&glyphs, &FontGlyphs::changed, MSFlexGrid1->viewport(), qOverload<>(&QWidget::update));
    MSFlexGrid1->installEventFilter(this);
    connect(MSFlexGrid1, &QTableView::doubleClicked, this, &MemoryPage::OpenChannelEditor);
    MSFlexGrid1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(MSFlexGrid1, &QWidget::customContextMenuRequested, this, &MemoryPage::showContextMenu);
    new BusyGate(session, MSFlexGrid1);
}

bool MemoryPage::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == MSFlexGrid1 && event->type() == QEvent::KeyPress) {
        switch (static_cast<QKeyEvent *>(event)->key()) {
        case Qt::Key_Delete:
            deleteSelection();
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            OpenChannelEditor();
            return true;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void MemoryPage::deleteSelection()
{
    const int current = ChannelGridModel::channelOfRow(MSFlexGrid1->currentIndex().row());
    if (IsCallChannel(current))
        return;
    // The CALL rows inside the selection stay too: the radio always holds both CALL channels, and an
    // empty one would go to it as an erased record.
    // Plain copies, not structured bindings, wherever a lambda captures them: clang 14 refuses to capture
    // a binding.
    const int first = selectedChannels().first;
    const int last = selectedChannels().second;
    session.runStep(QStringLiteral("Delete"),
                    [&] { ClearChannelRows(session.image().channels, first, last); });
}

void MemoryPage::CopyRows()
{
    const int first = selectedChannels().first;
    const int last = selectedChannels().second;
    copyToClipboard(first, last);
}

void MemoryPage::copyToClipboard(int first, int last)
{
    std::vector<RowNote> warnings;
    QGuiApplication::clipboard()->setText(RowsAsText(session.image().channels, first, last, &warnings));
    if (!warnings.empty())
        ShowMessage(this, FixedText::CopiedFormulas(), FixedText::CopyTitle(), ListWarnings(warnings));
}

void MemoryPage::CutRows()
{
    if (session.isBusy())
        return;
    const int first = selectedChannels().first;
    const int last = selectedChannels().second;
    copyToClipboard(first, last);
    session.runStep(QStringLiteral("Cut"), [&] { ClearChannelRows(session.image().channels, first, last); });
}

void MemoryPage::PasteRows()
{
    if (session.isBusy())
        return;
    const QString text = QGuiApplication::clipboard()->text();
    if (text.isEmpty())
        return;
    const int first = currentChannel();
    PasteResult pasted;
    session.runStep(FixedText::PasteTitle(),
                    [&] { pasted = n35::PasteRows(text, first, session.image().channels); });
    if (pasted.lastRow > 0)
        selectChannels(first, pasted.lastRow);
    if (!pasted.refused.empty()) {
        ShowMessage(this, FixedText::RowsNotPasted(), FixedText::PasteTitle(), ListRefusals(pasted.refused));
    }
}

void MemoryPage::MoveRows(int step)
{
    if (session.isBusy())
        return;
    const int first = selectedChannels().first;
    const int last = selectedChannels().second;
    MovedRows moved;
    session.runStep(step < 0 ? QStringLiteral("Move Up") : QStringLiteral("Move Down"), [&] {
        moved = n35::MoveRows(session.image().channels, session.image().banks, first, last, step);
    });
    if (moved.moved)
        selectChannels(moved.first, moved.last);
}

void MemoryPage::SetColumn(int column, const QString &text)
{
    if (session.isBusy())
        return;
    const int first = selectedChannels().first;
    const int last = selectedChannels().second;
    QString refused;
    session.runStep(QStringLiteral("Set ") + ChannelHeaderTexts().at(column),
                    [&] { refused = SetColumnOfRows(session.image().channels, first, last, column, text); });
    if (!refused.isEmpty())
        ShowMessage(this, FixedText::NothingChanged(), FixedText::ErrorTitle(),
                    CellCaption(column) + QStringLiteral(": ") + refused);
}

void MemoryPage::showContextMenu(const QPoint &at)
{
    if (session.isBusy())
        return;
    QMenu menu(this);
    QMenu *set = menu.addMenu(QStringLiteral("Set for selected rows"));
    set->setObjectName(QStringLiteral("SetColumnMenu"));
    for (const int column : BulkColumns()) {
        const QString header = ChannelHeaderTexts().at(column);
        set->addAction(header, this, [this, column, header] {
            bool ok = false;
            const QStringList choices = CellChoices(column);
            const QString text = choices.isEmpty()
                                     ? QInputDialog::getText(this, QStringLiteral("Set for selected rows"),
                                                             header + QStringLiteral(" (MHz)"),
                                                             QLineEdit::Normal, QString(), &ok)
                                     : QInputDialog::getItem(this, QStringLiteral("Set for selected rows"),
                                                             header, choices, 0, false, &ok);
            if (ok)
                SetColumn(column, text);
        });
    }
    menu.addSeparator();
    menu.addActions(rowActions);
    menu.exec(MSFlexGrid1->viewport()->mapToGlobal(at));
}

void MemoryPage::OpenChannelEditor()
{
    const QModelIndex current = MSFlexGrid1->currentIndex();
    if (!current.isValid() || session.isBusy())
        return;
    const int channel = ChannelGridModel::channelOfRow(current.row());
    ChannelEditor editor(session.image().channels, channel, window(), &session.image().glyphs);
    editor.setAutomaticShift(session.settings().automaticShift);
    bool accepted = false;
    session.runStep(QStringLiteral("Memory Setting"), [&] { accepted = editor.exec() == QDialog::Accepted; });
    if (accepted)
        selectChannels(channel, channel);
}

void MemoryPage::LIST_SET_Click(int index)
{
    const int current = ChannelGridModel::channelOfRow(std::max(MSFlexGrid1->currentIndex().row(), 0));
    const int next = std::clamp(current + (index == 0 ? -1 : 1), 1, ChannelCount);
    selectChannels(next, next);
}

QPushButton *MemoryPage::addButton(const char *caption, const char *name, void (MemoryPage::*click)())
{
    auto *button = new QPushButton(QString::fromLatin1(caption), this);
    button->setObjectName(QString::fromLatin1(name));
    connect(button, &QPushButton::clicked, this, click);
    new BusyGate(session, button);
    return button;
}

std::pair<int, int> MemoryPage::selectedChannels() const
{
    const QModelIndex current = MSFlexGrid1->currentIndex();
    int top = current.isValid() ? current.row() : 0;
    int bottom = top;
    // The selection is one contiguous block, so its outer rows are the anchor and the current row.
    for (const QItemSelectionRange &range : MSFlexGrid1->selectionModel()->selection()) {
        top = std::min(top, range.top());
        bottom = std::max(bottom, range.bottom());
    }
    return {ChannelGridModel::channelOfRow(top), ChannelGridModel::channelOfRow(bottom)};
}

int MemoryPage::currentChannel() const
{
    return ChannelGridModel::channelOfRow(std::max(MSFlexGrid1->currentIndex().row(), 0));
}

void MemoryPage::selectChannels(int from, int to)
{
    const int anchorRow = ChannelGridModel::rowOfChannel(std::clamp(from, 1, ChannelCount));
    const int currentRow = ChannelGridModel::rowOfChannel(std::clamp(to, 1, ChannelCount));
    QItemSelectionModel *selection = MSFlexGrid1->selectionModel();
    selection->setCurrentIndex(model->index(currentRow, 0), QItemSelectionModel::NoUpdate);
    selection->select(QItemSelection(model->index(std::min(anchorRow, currentRow), 0),
                                     model->index(std::max(anchorRow, currentRow), ChannelCellCount - 1)),
                      QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    keepCurrentRowVisible();
}

void MemoryPage::MEM_ONE_READ_Click()
{
    const int first = selectedChannels().first;
    const int last = selectedChannels().second;
    readRange(first, last, FixedText::MemoryReadSucceeded());
}

void MemoryPage::MEM_ONE_WRITE_Click()
{
    const int first = selectedChannels().first;
    const int last = selectedChannels().second;
    writeRange(first, last, FixedText::MemoryWriteSucceeded());
}

void MemoryPage::MemAllRead_Click()
{
    readRange(1, ChannelCount, FixedText::AllMemoryReadSucceeded());
}

void MemoryPage::MemAllWrite_Click()
{
    writeRange(1, ChannelCount, FixedText::AllMemoryWriteSucceeded());
}

void MemoryPage::ALL_Reset_Click()
{
    session.runStep(QStringLiteral("Clear all memory"), [&] { clearRange(ALL_Reset, 1, ChannelCount); });
}

void MemoryPage::Clear_Botton_Click()
{
    const int first = selectedChannels().first;
    const int last = selectedChannels().second;
    session.runStep(QStringLiteral("Clear selected memory"), [&] { clearRange(Clear_Botton, first, last); });
}

void MemoryPage::readRange(int first, int last, const QString &doneText)
{
    RunRadioCommand(
        session, this,
        [&] {
            return ReadChannels(session.link(), session.image().channels, first, last, session.progress());
        },
        doneText);
    keepCurrentRowVisible();
}

void MemoryPage::writeRange(int first, int last, const QString &doneText)
{
    RunRadioCommand(
        session, this,
        [&] {
            return WriteChannels(session.link(), session.image().channels, first, last, session.progress());
        },
        doneText);
}

void MemoryPage::clearRange(QPushButton *button, int first, int last)
{
    button->setEnabled(false);
    ClearChannelRows(session.image().channels, first, last);
    button->setEnabled(!session.isBusy());
    keepCurrentRowVisible();
}

void MemoryPage::keepCurrentRowVisible()
{
    const QModelIndex current = MSFlexGrid1->currentIndex();
    if (current.isValid()) // the column already in view, so only the rows move
        MSFlexGrid1->scrollTo(model->index(current.row(), std::max(MSFlexGrid1->columnAt(0), 0)));
}

} // namespace n35
