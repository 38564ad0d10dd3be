#pragma once

#include <QList>
#include <QMenu>

class QAction;

namespace n35
{

class MemoryPage;
class Session;

// The Edit menu: undo and redo of the session's history (named after the step they take back), the
// memory page's row commands, and "Automatic repeater shift". The row items act only while the memory
// page is shown.
class EditMenu : public QMenu
{
    Q_OBJECT
public:
    EditMenu(Session &session, MemoryPage &page, QWidget *parent = nullptr);

    // The items that act on the grid's rows, for the grid's context menu.
    QList<QAction *> rowActions() const;
    void setMemoryPageShown(bool shown);
    // Undo and Redo follow the history.
    void refresh();

private:
    Session &session;
    MemoryPage &page;
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
    bool memoryPageShown = true;
};

} // namespace n35
