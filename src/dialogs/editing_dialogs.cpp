#include "dialogs/editing_dialogs.h"

#include "dialogs/alternatives_dialogs.h"
#include "dialogs/compare_dialogs.h"
#include "dialogs/criteria_dialogs.h"
#include "dialogs/kernel_dialogs.h"
#include "dialogs/parameter_dialogs.h"
#include "platform/test_hooks.h"

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

int renderNestedEditingDialogs(QWidget* parent, TestHooks& hooks,
                               const std::function<bool(QWidget*, const QString&)>& save) {
    int failures = 0;
    auto grab = [&](TDialog& d, const char* name) {
        d.show();
        failures += save(&d, QString::fromLatin1(name)) ? 0 : 1;
    };
    auto grabAndCancel = [&](const char* name) {
        return [&grab, name](TDialog& d) {
            grab(d, name);
            d.pressEscape();
        };
    };
    auto pressThenCancel = [](int id) {
        return [id](TDialog& d) {
            d.press(id);
            d.pressEscape();
        };
    };
    const Workspace& w = workspace();
    if (w.project.n > 0 && w.project.m > 0) {
        hooks.dialogScripts.push_back(pressThenCancel(202));  // Edit alternatives: Modify
        hooks.dialogScripts.push_back([&](TDialog& d) {
            grab(d, "dialog_modify_alternative");
            d.press(201);
            d.pressEscape();
        });
        hooks.dialogScripts.push_back(grabAndCancel("dialog_modify_value"));
        runEditAlternatives(parent);

        hooks.dialogScripts.push_back(pressThenCancel(201));  // Edit alternatives: Add
        hooks.dialogScripts.push_back(grabAndCancel("dialog_add_alternative"));
        runEditAlternatives(parent);

        hooks.dialogScripts.push_back(pressThenCancel(202));  // Edit criteria: Modify
        hooks.dialogScripts.push_back([&](TDialog& d) {
            grab(d, "dialog_modify_criterion");
            d.press(201);
            d.pressEscape();
        });
        hooks.dialogScripts.push_back(grabAndCancel("dialog_evaluation_preview"));
        runEditCriteria(parent);

        hooks.dialogScripts.push_back(pressThenCancel(201));  // Edit criteria: Add
        hooks.dialogScripts.push_back(grabAndCancel("dialog_add_criterion"));
        runEditCriteria(parent);
    }
    if (w.project.n > 1 && w.project.m > 0 && w.doc.comparePair[0] != w.doc.comparePair[1]) {
        hooks.dialogScripts.push_back(grabAndCancel("dialog_compare"));
        runCompareAlternatives(parent);
    }
    if (w.doc.resultsValid == 1) {
        hooks.dialogScripts.push_back(pressThenCancel(207));  // Kernel: Details
        hooks.dialogScripts.push_back(grabAndCancel("dialog_kernel_structure"));
        runKernel(parent);
    }
    return failures;
}

}  // namespace kvis
