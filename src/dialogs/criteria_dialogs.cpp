#include "dialogs/criteria_dialogs.h"

#include "dialogs/dialog_logic.h"
#include "dialogs/dialog_util.h"
#include "engine/compute.h"
#include "model/project_ops.h"

namespace kvis {

namespace {

void stop(QWidget* owner, const std::string& text, const char* caption) {
    messageBox(owner, text, std::string(caption), MB_OK | MB_ICONSTOP);
}

}  // namespace

// ---- Edit criteria ------------------------------------------------------------------

TDlgEdycjaKryteriow::TDlgEdycjaKryteriow(QWidget* parent) : TCentrDialog(parent, 104) {
    onCommand(201, [this] { add(); });
    onCommand(202, [this] { modify(); });
    onCommand(203, [this] { remove(); });
}

void TDlgEdycjaKryteriow::setUp() {
    TCentrDialog::setUp();
    onDoubleClick(listBox(205), [this] { modify(); });
    fillList();
    listBox(205)->setSelIndex(0);
}

void TDlgEdycjaKryteriow::fillList() {
    std::vector<std::string> lines;
    for (const auto& c : ws().project.criteria) lines.push_back(c.name);
    refillList(*this, 205, lines, 206);
    const bool any = listBox(205)->getCount() > 0;
    button(202)->setEnabled(any);
    button(203)->setEnabled(any);
}

void TDlgEdycjaKryteriow::modify() {
    TListBox* list = listBox(205);
    const int sel = list->getSelIndex();
    if (list->getCount() == 0 || sel < 0) return;
    ws().selectedCriterion = sel;
    TDlgModyfikacjaKryterium nested(this);
    nested.runModal();
    fillList();
    list->setFocus();
}

void TDlgEdycjaKryteriow::add() {
    TDlgDodajKryterium nested(this);
    if (nested.runModal() == IDOK) {
        ws().doc.modified = 1;
        fillList();
        listBox(205)->setSelIndex(ws().project.m - 1);
    }
    listBox(205)->setFocus();
}

void TDlgEdycjaKryteriow::remove() {
    TListBox* list = listBox(205);
    const int sel = list->getSelIndex();
    if (list->getCount() == 0 || sel < 0) return;
    Workspace& w = ws();
    if (messageBox(this, dlg::deleteCriterionQuestion(w.project.criteria[sel].name),
                   std::string(dlg::kDeleteCriterionCaption), MB_YESNOCANCEL | MB_ICONQUESTION) == IDYES) {
        deleteCriterion(w.project, w.doc, sel);
        fillList();
        list->setSelIndex(0);
        w.doc.resultsValid = 0;
        w.doc.modified = 1;
    }
    list->setFocus();
}

bool TDlgEdycjaKryteriow::canClose() {
    const Project& p = ws().project;
    const int j = dlg::firstFailingCriterion(p);
    if (j < 0) return true;
    stop(this, dlg::invalidThresholdsMessage(p.criteria[j].name), dlg::kErrorAddingCriteria);
    return false;
}

// ---- Modify criteria ----------------------------------------------------------------

namespace {
constexpr int kFieldIds[] = {206, 207, 208, 209, 213, 214, 202};
}

TDlgModyfikacjaKryterium::TDlgModyfikacjaKryterium(QWidget* parent)
    : TCentrDialog(parent, 105), nameEdit_(new TMyEdit(this, 203, 14, kNameChars)) {
    for (int f = 0; f < FieldCount; ++f)
        edits_[f] = new TMyEdit(this, kFieldIds[f], 9, f == Weight ? kUnsignedChars : kNumberChars);
    onCommand(201, [this] { preview(); });
}

void TDlgModyfikacjaKryterium::showCriterion(const Criterion& c) {
    TComboBox* dir = comboBox(205);
    dir->clearList();
    dir->addString("Minimize");
    dir->addString("Maximize");
    dir->setSelIndex(c.direction);
    nameEdit_->setText(c.name);
    fields_[Weight].showG(edits_[Weight], c.weight, 9);
    fields_[PAlpha].showG(edits_[PAlpha], c.preference.alpha, 9);
    fields_[PBeta].showG(edits_[PBeta], c.preference.beta, 9);
    fields_[QAlpha].showG(edits_[QAlpha], c.indifference.alpha, 9);
    fields_[QBeta].showG(edits_[QBeta], c.indifference.beta, 9);
    fields_[VAlpha].showG(edits_[VAlpha], c.veto.alpha, 9);
    fields_[VBeta].showG(edits_[VBeta], c.veto.beta, 9);
    checkBox(204)->setCheck(c.useVeto);
    checkBox(210)->setCheck(c.inverseMode);
}

void TDlgModyfikacjaKryterium::enableThresholds() {
    for (int f : {PAlpha, PBeta, QAlpha, QBeta}) edits_[f]->setEnabled(hasValues_);
    useVetoClicked();
}

void TDlgModyfikacjaKryterium::setUp() {
    const Workspace& w = ws();
    const int j = w.selectedCriterion;
    hasValues_ = dlg::criterionHasValues(w.project, j);
    TCentrDialog::setUp();
    connect(checkBox(204), &QCheckBox::clicked, this, [this] { useVetoClicked(); });
    showCriterion(w.project.criteria[j]);
    enableThresholds();
    button(201)->setEnabled(w.project.n != 0 && hasValues_);
}

void TDlgModyfikacjaKryterium::useVetoClicked() {
    const bool on = checkBox(204)->getCheck() == 1 && hasValues_;
    edits_[VAlpha]->setEnabled(on);
    edits_[VBeta]->setEnabled(on);
}

ThresholdLine TDlgModyfikacjaKryterium::readLine(int alphaIndex) const {
    return ThresholdLine{fields_[alphaIndex].number(8), fields_[alphaIndex + 1].number(8)};
}

void TDlgModyfikacjaKryterium::readThresholds(Criterion& c) const {
    c.preference = readLine(PAlpha);
    c.indifference = readLine(QAlpha);
    if (checkBox(204)->getCheck()) {
        c.veto = readLine(VAlpha);
        c.useVeto = 1;
    } else {
        c.useVeto = 0;  // the veto line is kept as it was
    }
    c.inverseMode = checkBox(210)->getCheck();
}

void TDlgModyfikacjaKryterium::preview() {
    Workspace& w = ws();
    const int j = w.selectedCriterion;
    Criterion& c = w.project.criteria[j];
    const Criterion kept = c;
    readThresholds(c);
    if (!checkCriterionThresholds(w.project, j)) {
        stop(this, dlg::invalidThresholdsMessage(c.name), dlg::kInvalidThresholdsCaption);
    } else {
        TDlgWartosciWariantow nested(this);
        nested.runModal();
    }
    // The preview borrows the Project only while it is shown.
    c.preference = kept.preference;
    c.indifference = kept.indifference;
    c.veto = kept.veto;
    c.useVeto = kept.useVeto;
    c.inverseMode = kept.inverseMode;
}

bool TDlgModyfikacjaKryterium::canClose() {
    Workspace& w = ws();
    const int j = w.selectedCriterion;
    Criterion c = w.project.criteria[j];
    readThresholds(c);
    c.direction = comboBox(205)->getSelIndex() == 1 ? 1 : 0;
    c.name = nameEdit_->getText(13);
    c.weight = fields_[Weight].number(8);
    if (!dlg::candidatePasses(w.project, j, c)) {
        stop(this, dlg::invalidThresholdsMessage(c.name), dlg::kErrorModifyingCriteria);
        return false;
    }
    modifyCriterion(w.project, w.doc, j, c);
    return true;
}

// ---- Add criterion ------------------------------------------------------------------

TDlgDodajKryterium::TDlgDodajKryterium(QWidget* parent) : TDlgModyfikacjaKryterium(parent) {}

void TDlgDodajKryterium::setUp() {
    hasValues_ = false;  // a new criterion has no values yet
    TCentrDialog::setUp();
    setWindowTitle(QStringLiteral("Adding new criterion"));
    connect(checkBox(204), &QCheckBox::clicked, this, [this] { useVetoClicked(); });
    showCriterion(dlg::proposedCriterion(ws().project));
    enableThresholds();
    button(201)->setEnabled(false);
}

bool TDlgDodajKryterium::canClose() {
    Workspace& w = ws();
    Criterion c;
    c.preference = readLine(PAlpha);
    c.indifference = readLine(QAlpha);
    c.veto = readLine(VAlpha);
    c.useVeto = checkBox(204)->getCheck();
    c.inverseMode = checkBox(210)->getCheck();
    c.direction = comboBox(205)->getSelIndex() == 1 ? 1 : 0;
    c.name = nameEdit_->getText(13);
    c.weight = fields_[Weight].number(8);
    if (!dlg::candidatePasses(w.project, w.project.m, c)) {
        stop(this, dlg::invalidThresholdsMessage(c.name), dlg::kErrorAddingCriteria);
        return false;
    }
    addCriterion(w.project, w.doc, c);
    return true;
}

// ---- Evaluation of alternatives according to a criterion --------------------------------

TDlgWartosciWariantow::TDlgWartosciWariantow(QWidget* parent) : TCentrDialog(parent, 107) {}

void TDlgWartosciWariantow::setUp() {
    TCentrDialog::setUp();
    const Workspace& w = ws();
    const int j = w.selectedCriterion;
    const QString title = windowTitle().left(127);
    setWindowTitle(title + QStringLiteral(" '") + QString::fromStdString(w.project.criteria[j].name) +
                   QStringLiteral("'"));
    listBox(202)->setColumnFont();
    refillList(*this, 202, dlg::evaluationLines(w.project, j));
}

}  // namespace kvis
