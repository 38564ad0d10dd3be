#pragma once

#include "model/rowshift.h"

namespace n35
{

class MainWindow;

// The Edit menu's row commands on the memory page's selection, each one undo step named after its item.
void SortSelectedRowsCommand(MainWindow &window, SortKey key);
void InsertEmptyRowCommand(MainWindow &window);
void DeleteAndShiftUpCommand(MainWindow &window);
// Lists the channels programmed twice in a window of their own ("DuplicatesDialog"); choosing one there
// makes its row the grid's selection. Nothing is deleted.
void FindDuplicatesCommand(MainWindow &window);

} // namespace n35
