#pragma once
// What later work plugs into the main window: the result views and the
// printout of the results.
class QWidget;

namespace kvis {

class Document;
class TOknoMDI;
class TPrinter;

// Gives every slot of the client its view (TOknoMDI::setViewFactory). Called
// once when the main window is created.
void registerResultViews(TOknoMDI& client);

// Prints the parts of the document's results chosen in `mask` (bits of
// ResultBits) with the printer's print dialog (results_printout.cpp).
void printResults(TPrinter& printer, QWidget* owner, const Document& doc, int mask);

}  // namespace kvis
