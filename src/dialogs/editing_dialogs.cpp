#include "dialogs/editing_dialogs.h"

#include "platform/message_box.h"

namespace kvis {

// Placeholders until the dialog classes exist: every dialog is cancelled.
int runEditAlternatives(QWidget*) { return IDCANCEL; }
int runEditCriteria(QWidget*) { return IDCANCEL; }
int runLevelOfConcordance(QWidget*) { return IDCANCEL; }
int runAdvanced(QWidget*) { return IDCANCEL; }
int runKernel(QWidget*) { return IDCANCEL; }
int runSetToCompare(QWidget*) { return IDCANCEL; }
int runCompareAlternatives(QWidget*) { return IDCANCEL; }
int runSelect(QWidget*) { return IDCANCEL; }

}  // namespace kvis
