#pragma once
// Entry points of the editing and inspection dialogs for the menu commands.
// Each runs its dialog modally with `parent` as owner and returns the id the
// dialog ended with (IDOK 1, IDCANCEL 2). The commands around them (closing
// the result views afterwards and the like) are the main window's.
#include <functional>

class QString;
class QWidget;

namespace kvis {

int runEditAlternatives(QWidget* parent);  // TDlgEdycjaWariantow (101)
int runEditCriteria(QWidget* parent);      // TDlgEdycjaKryteriow (104)
int runLevelOfConcordance(QWidget* parent);  // TDlgModyfProguZgodnosci (106)
int runAdvanced(QWidget* parent);          // TDlgAdvanced (112)
int runKernel(QWidget* parent);            // TDlgKernel (110)
int runSetToCompare(QWidget* parent);      // TDlgSetToCompare (114)
int runCompareAlternatives(QWidget* parent);  // TDlgCompAlt (115)
// TDlgSelect (113): edits selectionMask.
int runSelect(QWidget* parent);

class TestHooks;
// Screenshots: opens every nested editing dialog (Modify and Add alternative,
// the value dialog, Modify and Add criterion, the preview, the comparison and
// the structure of a kernel vertex) from the workspace's project and results,
// hands each to `save` while shown, and cancels it; nothing is changed.
// Returns the number of failed saves.
int renderNestedEditingDialogs(QWidget* parent, TestHooks& hooks,
                               const std::function<bool(QWidget*, const QString&)>& save);

}  // namespace kvis
