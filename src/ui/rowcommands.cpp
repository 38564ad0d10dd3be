#include "ui/rowcommands.h"

#include "model/channeledit.h"
#include "model/channeltable.h"
#include "model/fixedtexts.h"
#include "model/valuetables.h"
#include "session/session.h"
#include "ui/memorypage.h"
#include "ui/messages.h"
#include "ui/radiocommand.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace n35
{

namespace
{

constexpr int RowRole = Qt::UserRole;

// What makes rows duplicates, as one line: frequency, shift and offset, sub-tone mode and tones.
QString ChannelSummary(const ChannelTable &table, int row)
{
    QStringList parts{table.cell(row, ColFrequency)};
    const QString &shift = table.cell(row, ColShift);
    if (shift == QLatin1String("+") || shift == QLatin1String("-"))
        parts << QStringLiteral("shift ") + shift << table.cell(row, ColShiftFreq);
    parts << table.cell(row, ColSubtone);
    const ToneListsEnabled tones = TypeRule(ToneTypeIndex(table.cell(row, ColSubtone)));
    const std::pair<bool, int> lists[] = {{tones.txTone, ColTxTone},
                                          {tones.rxTone, ColRxTone},
                                          {tones.txDcs, ColTxDcs},
                                          {tones.rxDcs, ColRxDcs}};
    for (const auto &[shown, column] : lists) {
        if (shown)
            parts << table.cell(row, column);
    }
    return parts.join(QStringLiteral("  "));
}

QDialog *DuplicatesDialog(Session &session, MemoryPage &page, const std::vector<std::vector<int>> &sets)
{
    const ChannelTable &table = session.image().channels;
    auto *dialog = new QDialog(page.window());
    dialog->setObjectName(QStringLiteral("DuplicatesDialog"));
    dialog->setWindowTitle(FixedText::FindDuplicatesTitle());
    dialog->setAttribute(Qt::WA_DeleteOnClose);

    int rows = 0;
    for (const auto &set : sets)
        rows += static_cast<int>(set.size());
    auto *intro = new QLabel(
        QStringLiteral("%1 channels hold the same frequency, shift, offset and tones as another. Choose one "
                       "to show it in the grid; nothing is deleted.")
            .arg(rows),
        dialog);
    intro->setWordWrap(true);
    intro->setObjectName(QStringLiteral("DuplicatesIntro"));
    intro->setAccessibleName(QStringLiteral("About the duplicates"));

    auto *list = new QListWidget(dialog);
    list->setObjectName(QStringLiteral("DuplicateList"));
    list->setAccessibleName(QStringLiteral("Duplicate channels"));
    for (const auto &set : sets) {
        // A heading per set, then its rows by label and name.
        auto *heading = new QListWidgetItem(ChannelSummary(table, set.front()), list);
        heading->setFlags(Qt::ItemIsEnabled);
        QFont bold = list->font();
        bold.setBold(true);
        heading->setFont(bold);
        for (const int row : set) {
            auto *item = new QListWidgetItem(
                QStringLiteral("    %1  %2").arg(table.label(row), table.cell(row, ColName)), list);
            item->setData(RowRole, row);
        }
    }
    QObject::connect(list, &QListWidget::currentItemChanged, dialog, [&page](QListWidgetItem *item) {
        if (!item || !item->data(RowRole).isValid())
            return;
        const int row = item->data(RowRole).toInt();
        emit page.showRequested();
        page.selectChannels(row, row);
    });

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, dialog);
    QPushButton *close = buttons->button(QDialogButtonBox::Close);
    close->setObjectName(QStringLiteral("DuplicatesClose"));
    close->setAccessibleName(QStringLiteral("Close"));
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::close);

    auto *layout = new QVBoxLayout(dialog);
    layout->addWidget(intro);
    layout->addWidget(list, 1);
    layout->addWidget(buttons);
    dialog->resize(dialog->fontMetrics().horizontalAdvance(QLatin1Char('M')) * 40,
                   dialog->fontMetrics().height() * 24);
    list->setCurrentRow(1); // the first set's first row
    return dialog;
}

} // namespace

void SortSelectedRowsCommand(Session &session, MemoryPage &page, SortKey key)
{
    if (session.isBusy())
        return;
    // Plain ints, not a structured binding: the lambda below captures them.
    const std::pair<int, int> selected = page.selectedChannels();
    const int first = selected.first;
    const int last = selected.second;
    SortedRows sorted;
    const QString name =
        key == SortKey::Frequency ? QStringLiteral("Sort by Frequency") : QStringLiteral("Sort by Name");
    session.runStep(
        name, [&] { sorted = SortRows(session.image().channels, session.image().banks, first, last, key); });
    if (sorted.first > 0)
        page.selectChannels(sorted.first, sorted.last);
}

namespace
{

// One undo step named `name`; the row it opened or closed becomes current, or the refusal is shown.
template <typename Shift> void RunShift(Session &session, MemoryPage &page, const QString &name, Shift shift)
{
    ShiftedRows shifted;
    session.runStep(name, [&] { shifted = shift(); });
    if (shifted.done)
        page.selectChannels(shifted.row, shifted.row);
    else if (!shifted.refusal.isEmpty())
        ShowMessage(&page, shifted.refusal, name);
}

} // namespace

void InsertEmptyRowCommand(Session &session, MemoryPage &page)
{
    if (session.isBusy())
        return;
    const int row = page.currentChannel();
    RunShift(session, page, QStringLiteral("Insert Empty Row"),
             [&] { return InsertEmptyRow(session.image().channels, session.image().banks, row); });
}

void DeleteAndShiftUpCommand(Session &session, MemoryPage &page)
{
    if (session.isBusy())
        return;
    const std::pair<int, int> selected = page.selectedChannels();
    const int first = selected.first;
    const int last = selected.second;
    RunShift(session, page, QStringLiteral("Delete and Shift Up"),
             [&] { return DeleteAndShiftUp(session.image().channels, session.image().banks, first, last); });
}

void FindDuplicatesCommand(Session &session, MemoryPage &page)
{
    if (session.isBusy())
        return;
    // One list at a time, always of the rows as they are now.
    delete page.window()->findChild<QDialog *>(QStringLiteral("DuplicatesDialog"));
    const std::vector<std::vector<int>> sets = FindDuplicateRows(session.image().channels);
    if (sets.empty()) {
        ShowMessage(&page, FixedText::NoDuplicates(), FixedText::FindDuplicatesTitle());
        return;
    }
    DuplicatesDialog(session, page, sets)->show();
}

} // namespace n35
