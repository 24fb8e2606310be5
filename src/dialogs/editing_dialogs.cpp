#include "dialogs/editing_dialogs.h"

#include "dialogs/alternatives_dialogs.h"
#include "dialogs/compare_dialogs.h"
#include "dialogs/criteria_dialogs.h"
#include "dialogs/kernel_dialogs.h"
#include "dialogs/parameter_dialogs.h"

namespace kvis {

namespace {
template <class Dialog>
int run(QWidget* parent) {
    Dialog dialog(parent);
    return dialog.runModal();
}
}  // namespace

int runEditAlternatives(QWidget* parent) { return run<TDlgEdycjaWariantow>(parent); }
int runEditCriteria(QWidget* parent) { return run<TDlgEdycjaKryteriow>(parent); }
int runLevelOfConcordance(QWidget* parent) { return run<TDlgModyfProguZgodnosci>(parent); }
int runAdvanced(QWidget* parent) { return run<TDlgAdvanced>(parent); }
int runKernel(QWidget* parent) { return run<TDlgKernel>(parent); }
int runSetToCompare(QWidget* parent) { return run<TDlgSetToCompare>(parent); }
int runCompareAlternatives(QWidget* parent) { return run<TDlgCompAlt>(parent); }
int runSelect(QWidget* parent) { return run<TDlgSelect>(parent); }

}  // namespace kvis
