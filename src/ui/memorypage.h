#pragma once

#include <QList>
#include <QWidget>
#include <array>
#include <utility>

class QAction;
class QPushButton;
class QTableView;

namespace n35
{

class ChannelGridModel;
class FindBar;
class Session;
struct TransferOutcome;

// Page 1: the grid of all 952 channel rows and the buttons that read, write and clear them.
class MemoryPage : public QWidget
{
    Q_OBJECT
public:
    explicit MemoryPage(Session &owner, QWidget *parent = nullptr);

    QTableView *grid() const { return MSFlexGrid1; }
    ChannelGridModel *gridModel() const { return model; }
    // Ctrl+F and Ctrl+G: find a row by frequency or name, go to a row by its label.
    FindBar *findBar() const { return finder; }

    // Channels 1..952 from the smaller to the larger end of the grid's selection, whichever way it was made.
    std::pair<int, int> selectedChannels() const;
    // The channel of the grid's current row (1 when there is none).
    int currentChannel() const;
    // Selects rows from..to as a drag from `from` to `to` would; `to` becomes the current row.
    void selectChannels(int from, int to);

    // Opens the channel editor on the grid's current row (Enter, double click).
    void OpenChannelEditor();
    // "Up" (0) and "Down" (1): the current row moves by one and becomes the selection.
    void LIST_SET_Click(int index);

    void ALL_Reset_Click();
    void Clear_Botton_Click();
    void MEM_ONE_READ_Click();
    void MEM_ONE_WRITE_Click();
    void MemAllRead_Click();
    void MemAllWrite_Click();

    // The Edit menu on the selected rows: the clipboard as tab-separated text with a header line, and
    // moving rows within their group (Alt+Up, Alt+Down).
    void CopyRows();
    void CutRows();
    void PasteRows();
    void MoveRows(int step);
    // The grid's context menu: one column set for every selected row.
    void SetColumn(int column, const QString &text);
    // The Edit items that act on rows, offered again at the end of the grid's context menu.
    void setRowActions(const QList<QAction *> &actions) { rowActions = actions; }

signals:
    // The page should come to the front: the user chose rows on it from another window.
    void showRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildGrid();
    void buildFindBar();
    void deleteSelection();
    // Rows onto the clipboard; cells a spreadsheet may run as formulas are told.
    void copyToClipboard(int first, int last);
    QPushButton *addButton(const char *caption, const char *name, void (MemoryPage::*click)());
    void readRange(int first, int last, const QString &doneText);
    void writeRange(int first, int last, const QString &doneText);
    void clearRange(QPushButton *button, int first, int last);
    void keepCurrentRowVisible();
    void showContextMenu(const QPoint &at);

    Session &session;
    QList<QAction *> rowActions;
    ChannelGridModel *model = nullptr;
    QTableView *MSFlexGrid1 = nullptr;
    QPushButton *ALL_Reset = nullptr;
    QPushButton *Clear_Botton = nullptr;
    QPushButton *MEM_ONE_READ = nullptr;
    QPushButton *MEM_ONE_WRITE = nullptr;
    QPushButton *MemAllRead = nullptr;
    QPushButton *MemAllWrite = nullptr;
    std::array<QPushButton *, 2> LIST_SET{};
    FindBar *finder = nullptr;
};

} // namespace n35
