#include "dialogs/editing_dialogs.h"

#include "dialogs/alternatives_dialogs.h"
#include "dialogs/compare_dialogs.h"
#include "dialogs/criteria_dialogs.h"
#include "dialogs/kernel_dialogs.h"
#include "dialogs/parameter_dialogs.h"

namespace kvis {

namespace {
template <class Dialog>
int run(QWidget* parent, Document& doc) {
    Dialog dialog(parent, doc);
    return dialog.runModal();
}
}  // namespace

int runEditAlternatives(QWidget* parent, Document& doc) { return run<TDlgEdycjaWariantow>(parent, doc); }
int runEditCriteria(QWidget* parent, Document& doc) { return run<TDlgEdycjaKryteriow>(parent, doc); }
int runLevelOfConcordance(QWidget* parent, Document& doc) { return run<TDlgModyfProguZgodnosci>(parent, doc); }
int runAdvanced(QWidget* parent, Document& doc) { return run<TDlgAdvanced>(parent, doc); }
int runKernel(QWidget* parent, Document& doc) { return run<TDlgKernel>(parent, doc); }
int runSetToCompare(QWidget* parent, Document& doc) { return run<TDlgSetToCompare>(parent, doc); }
int runCompareAlternatives(QWidget* parent, Document& doc) { return run<TDlgCompAlt>(parent, doc); }
int runSelect(QWidget* parent, Document& doc) { return run<TDlgSelect>(parent, doc); }

}  // namespace kvis
