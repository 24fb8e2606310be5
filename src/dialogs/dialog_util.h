#pragma once
// Small pieces every list dialog repeats.
#include <functional>
#include <string>
#include <vector>

#include "platform/dialog.h"

namespace kvis {

// The list pattern: remember the selected line, empty the list, add the lines
// in order, select the remembered line again and, when countId is not -1,
// write the number of lines into that static.
void refillList(TDialog& dialog, int listId, const std::vector<std::string>& lines, int countId = -1);

// Runs `action` when a line of the list is double-clicked.
void onDoubleClick(TListBox* list, std::function<void()> action);

}  // namespace kvis
