#include "ui/editmenu.h"

#include "model/fixedtexts.h"
#include "session/session.h"
#include "ui/memorypage.h"
#include "ui/menuitem.h"
#include "ui/rowcommands.h"

namespace n35
{

EditMenu::EditMenu(Session &owner, MemoryPage &memoryPage, QWidget *parent)
    : QMenu(QStringLiteral("Edit(&E)"), parent), session(owner), page(memoryPage)
{
    setObjectName(QStringLiteral("MenuEdit"));
    EditUndo = AddMenuItem(this, QStringLiteral("Undo"), "EditUndo", {QKeySequence(Qt::CTRL | Qt::Key_Z)});
    EditRedo =
        AddMenuItem(this, QStringLiteral("Redo"), "EditRedo",
                    {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    addSeparator();
    EditCut = AddMenuItem(this, QStringLiteral("Cut"), "EditCut", {QKeySequence::Cut});
    EditCopy = AddMenuItem(this, FixedText::CopyTitle(), "EditCopy", {QKeySequence::Copy});
    EditPaste = AddMenuItem(this, FixedText::PasteTitle(), "EditPaste", {QKeySequence::Paste});
    addSeparator();
    EditMoveUp =
        AddMenuItem(this, QStringLiteral("Move Up"), "EditMoveUp", {QKeySequence(Qt::ALT | Qt::Key_Up)});
    EditMoveDown = AddMenuItem(this, QStringLiteral("Move Down"), "EditMoveDown",
                               {QKeySequence(Qt::ALT | Qt::Key_Down)});
    addSeparator();
    EditSort = addMenu(QStringLiteral("Sort Selected Rows"));
    EditSort->setObjectName(QStringLiteral("EditSort"));
    EditSortByFrequency = AddMenuItem(EditSort, QStringLiteral("By Frequency"), "EditSortByFrequency");
    EditSortByName = AddMenuItem(EditSort, QStringLiteral("By Name"), "EditSortByName");
    EditInsertRow = AddMenuItem(this, QStringLiteral("Insert Empty Row"), "EditInsertRow",
                                {QKeySequence(Qt::ALT | Qt::Key_Insert)});
    EditDeleteShift = AddMenuItem(this, QStringLiteral("Delete and Shift Up"), "EditDeleteShift",
                                  {QKeySequence(Qt::ALT | Qt::Key_Delete)});
    EditFindDuplicates = AddMenuItem(this, FixedText::FindDuplicatesTitle(), "EditFindDuplicates");
    addSeparator();
    AutoShift = AddMenuItem(this, QStringLiteral("Automatic repeater shift"), "AutoShift");
    AutoShift->setCheckable(true);
    AutoShift->setChecked(session.settings().automaticShift);

    connect(EditUndo, &QAction::triggered, &session, &Session::undo);
    connect(EditRedo, &QAction::triggered, &session, &Session::redo);
    connect(EditCut, &QAction::triggered, &page, &MemoryPage::CutRows);
    connect(EditCopy, &QAction::triggered, &page, &MemoryPage::CopyRows);
    connect(EditPaste, &QAction::triggered, &page, &MemoryPage::PasteRows);
    connect(EditMoveUp, &QAction::triggered, &page, [this] { page.MoveRows(-1); });
    connect(EditMoveDown, &QAction::triggered, &page, [this] { page.MoveRows(1); });
    connect(EditSortByFrequency, &QAction::triggered, &page,
            [this] { SortSelectedRowsCommand(session, page, SortKey::Frequency); });
    connect(EditSortByName, &QAction::triggered, &page,
            [this] { SortSelectedRowsCommand(session, page, SortKey::Name); });
    connect(EditInsertRow, &QAction::triggered, &page, [this] { InsertEmptyRowCommand(session, page); });
    connect(EditDeleteShift, &QAction::triggered, &page, [this] { DeleteAndShiftUpCommand(session, page); });
    connect(EditFindDuplicates, &QAction::triggered, &page, [this] { FindDuplicatesCommand(session, page); });
    connect(AutoShift, &QAction::toggled, &session, &Session::setAutomaticShift);
    connect(&session, &Session::historyChanged, this, &EditMenu::refresh);
    page.setRowActions(rowActions());
    refresh();
}

QList<QAction *> EditMenu::rowActions() const
{
    return {EditCut, EditCopy, EditPaste, EditMoveUp, EditMoveDown, EditInsertRow, EditDeleteShift};
}

void EditMenu::setMemoryPageShown(bool shown)
{
    memoryPageShown = shown;
    refresh();
}

void EditMenu::refresh()
{
    ImageHistory &history = session.history();
    EditUndo->setText(history.canUndo() ? QStringLiteral("Undo ") + history.undoName()
                                        : QStringLiteral("Undo"));
    EditRedo->setText(history.canRedo() ? QStringLiteral("Redo ") + history.redoName()
                                        : QStringLiteral("Redo"));
    EditUndo->setEnabled(history.canUndo());
    EditRedo->setEnabled(history.canRedo());
    for (QAction *action : {EditCut, EditCopy, EditPaste, EditMoveUp, EditMoveDown, EditSortByFrequency,
                            EditSortByName, EditInsertRow, EditDeleteShift, EditFindDuplicates})
        action->setEnabled(memoryPageShown);
    EditSort->menuAction()->setEnabled(memoryPageShown);
}

} // namespace n35
