#pragma once
// What later work plugs into the main window: the result views and the
// printout of the results.
class QWidget;

namespace kvis {

class TPrinter;

// Registers the view of every TOknoMDI slot (TOknoMDI::setViewFactory).
// Called once when the main window is created.
void registerResultViews();

// Prints the parts of the results chosen in `mask` (bits of ResultBits) with
// the printer's print dialog.
void printResults(TPrinter& printer, QWidget* owner, int mask);

}  // namespace kvis
