#pragma once
// Entry points of the editing and inspection dialogs for the menu commands.
// Each runs its dialog modally with `parent` as owner on the document and
// returns the id the dialog ended with (IDOK 1, IDCANCEL 2). The commands
// around them (closing the result views afterwards and the like) are the
// main window's.
class QWidget;

namespace kvis {

class Document;

int runEditAlternatives(QWidget* parent, Document& doc);     // TDlgEdycjaWariantow (101)
int runEditCriteria(QWidget* parent, Document& doc);         // TDlgEdycjaKryteriow (104)
int runLevelOfConcordance(QWidget* parent, Document& doc);   // TDlgModyfProguZgodnosci (106)
int runAdvanced(QWidget* parent, Document& doc);             // TDlgAdvanced (112)
int runKernel(QWidget* parent, Document& doc);               // TDlgKernel (110)
int runSetToCompare(QWidget* parent, Document& doc);         // TDlgSetToCompare (114)
int runCompareAlternatives(QWidget* parent, Document& doc);  // TDlgCompAlt (115)
// TDlgSelect (113): edits selectionMask.
int runSelect(QWidget* parent, Document& doc);

}  // namespace kvis
