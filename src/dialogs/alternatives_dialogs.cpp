#include "dialogs/alternatives_dialogs.h"

#include "dialogs/dialog_logic.h"
#include "dialogs/dialog_util.h"
#include "model/numfmt.h"
#include "model/project_ops.h"

namespace kvis {

// ---- Edit alternatives ----------------------------------------------------------

TDlgEdycjaWariantow::TDlgEdycjaWariantow(QWidget* parent) : TCentrDialog(parent, 101) {
    onCommand(201, [this] { add(); });
    onCommand(202, [this] { modify(); });
    onCommand(203, [this] { remove(); });
}

void TDlgEdycjaWariantow::setUp() {
    TCentrDialog::setUp();
    if (!wired_) {
        wired_ = true;
        onDoubleClick(listBox(205), [this] { modify(); });
    }
    fillList();
    listBox(205)->setSelIndex(0);
}

void TDlgEdycjaWariantow::fillList() {
    const Project& p = ws().project;
    std::vector<std::string> lines;
    for (const auto& a : p.alternatives) lines.push_back(a.name);
    refillList(*this, 205, lines, 206);
    const bool any = listBox(205)->getCount() > 0;
    button(202)->setEnabled(any);
    button(203)->setEnabled(any);
}

void TDlgEdycjaWariantow::modify() {
    TListBox* list = listBox(205);
    const int sel = list->getSelIndex();
    if (list->getCount() == 0 || sel < 0) return;
    ws().selectedAlternative = sel;
    TDlgModyfikacjaWariantu nested(this);
    nested.runModal();
    fillList();
    list->setFocus();
}

void TDlgEdycjaWariantow::add() {
    TDlgDodajWariant nested(this);
    if (nested.runModal() == IDOK) {
        fillList();
        listBox(205)->setSelIndex(ws().project.n - 1);
        ws().doc.modified = 1;
    }
    listBox(205)->setFocus();
}

void TDlgEdycjaWariantow::remove() {
    TListBox* list = listBox(205);
    const int sel = list->getSelIndex();
    if (list->getCount() == 0 || sel < 0) return;
    Workspace& w = ws();
    const std::string name = w.project.alternatives[sel].name;
    if (messageBox(this, dlg::deleteAlternativeQuestion(name), std::string(dlg::kDeleteAlternativeCaption),
                   MB_YESNOCANCEL | MB_ICONQUESTION) == IDYES) {
        deleteAlternative(w.project, w.doc, sel);
        fillList();
        list->setSelIndex(0);
        w.doc.modified = 1;
        w.doc.resultsValid = 0;
    }
    list->setFocus();
}

// ---- Modify alternative -----------------------------------------------------------

TDlgModyfikacjaWariantu::TDlgModyfikacjaWariantu(QWidget* parent)
    : TCentrDialog(parent, 102), nameEdit_(new TMyEdit(this, 203, 14, kNameChars)) {
    onCommand(201, [this] { modifyValue(); });
}

void TDlgModyfikacjaWariantu::wire() {
    onDoubleClick(listBox(202), [this] { modifyValue(); });
}

void TDlgModyfikacjaWariantu::setUp() {
    TCentrDialog::setUp();
    wire();
    Workspace& w = ws();
    listBox(202)->setColumnFont();
    fillList();
    listBox(202)->setSelIndex(0);
    nameEdit_->setText(w.project.alternatives[w.selectedAlternative].name);
    button(201)->setEnabled(w.project.m != 0);
}

void TDlgModyfikacjaWariantu::fillList() {
    const Workspace& w = ws();
    refillList(*this, 202, dlg::alternativeValueLines(w.project, w.selectedAlternative));
}

void TDlgModyfikacjaWariantu::modifyValue() {
    TListBox* list = listBox(202);
    const int sel = list->getSelIndex();
    if (sel < 0) return;
    Workspace& w = ws();
    w.selectedCriterion = sel;
    // The name typed so far is stored now so that the value dialog shows it.
    renameAlternative(w.project, w.doc, w.selectedAlternative, nameEdit_->getText(13));
    TDlgModyfikacjaWartosciKryterium nested(this);
    nested.runModal();
    fillList();
    list->setFocus();
}

bool TDlgModyfikacjaWariantu::canClose() {
    Workspace& w = ws();
    renameAlternative(w.project, w.doc, w.selectedAlternative, nameEdit_->getText(13));
    return true;
}

// ---- Add alternative ----------------------------------------------------------------

TDlgDodajWariant::TDlgDodajWariant(QWidget* parent)
    : TDlgModyfikacjaWariantu(parent), pendingValues_(static_cast<size_t>(std::max(ws().project.m, 0)), 0.0) {}

void TDlgDodajWariant::setUp() {
    TCentrDialog::setUp();
    wire();
    setWindowTitle(QStringLiteral("Adding new alternative"));
    listBox(202)->setColumnFont();
    fillList();
    listBox(202)->setSelIndex(0);
    nameEdit_->setText(dlg::proposedAlternativeName(ws().project));
}

void TDlgDodajWariant::fillList() {
    refillList(*this, 202, dlg::pendingValueLines(ws().project, pendingValues_));
    button(201)->setEnabled(ws().project.m != 0);
}

void TDlgDodajWariant::modifyValue() {
    TListBox* list = listBox(202);
    const int sel = list->getSelIndex();
    if (sel < 0 || sel >= static_cast<int>(pendingValues_.size())) return;
    const std::string name = nameEdit_->getText(13);
    ws().selectedCriterion = sel;
    TDlgModyfKryt2 nested(this, name, pendingValues_[static_cast<size_t>(sel)]);
    nested.runModal();
    fillList();
    list->setFocus();
}

bool TDlgDodajWariant::canClose() {
    Workspace& w = ws();
    dlg::appendAlternative(w.project, w.doc, nameEdit_->getText(13), pendingValues_);
    return true;
}

// ---- Modify value of criterion --------------------------------------------------------

TDlgModyfikacjaWartosciKryterium::TDlgModyfikacjaWartosciKryterium(QWidget* parent)
    : TCentrDialog(parent, 103), valueEdit_(new TMyEdit(this, 201, 10, kNumberChars)) {}

void TDlgModyfikacjaWartosciKryterium::setUp() {
    TCentrDialog::setUp();
    const Workspace& w = ws();
    const int i = w.selectedAlternative;
    const int c = w.selectedCriterion;
    staticText(202)->setText(w.project.alternatives[i].name);
    staticText(203)->setText(w.project.criteria[c].name);
    value_.showG(valueEdit_, w.project.eval(i, c), 10);
}

bool TDlgModyfikacjaWartosciKryterium::canClose() {
    Workspace& w = ws();
    dlg::storeTypedValue(w.project, w.doc, w.selectedAlternative, w.selectedCriterion, value_.text(9),
                         value_.number(9));
    return true;
}

// ---- Value of a pending alternative ---------------------------------------------------

TDlgModyfKryt2::TDlgModyfKryt2(QWidget* parent, std::string name, double& pending)
    : TDlgModyfikacjaWartosciKryterium(parent), name_(std::move(name)), pending_(pending) {}

void TDlgModyfKryt2::setUp() {
    // Not the base's set-up: there is no stored alternative to show yet.
    TCentrDialog::setUp();
    staticText(202)->setText(name_);
    staticText(203)->setText(ws().project.criteria[ws().selectedCriterion].name);
    value_.showG(valueEdit_, pending_, 10);
}

bool TDlgModyfKryt2::canClose() {
    pending_ = value_.number(9);
    return true;
}

}  // namespace kvis
