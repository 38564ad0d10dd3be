#pragma once

#include "model/rowshift.h"

class QWidget;

namespace n35
{

class MemoryPage;
class Session;

// The Edit menu's row commands on the memory page's selection, each one undo step named after its item.
void SortSelectedRowsCommand(Session &session, MemoryPage &page, SortKey key);
void InsertEmptyRowCommand(Session &session, MemoryPage &page);
void DeleteAndShiftUpCommand(Session &session, MemoryPage &page);
// Lists the channels programmed twice in a window of their own ("DuplicatesDialog"); choosing one there
// makes its row the grid's selection. Nothing is deleted.
void FindDuplicatesCommand(Session &session, MemoryPage &page);

} // namespace n35
