#include "dialogs/criteria_dialogs.h"

#include "dialogs/dialog_logic.h"
#include "dialogs/dialog_util.h"

namespace kvis {

namespace {

namespace list = idc::EditList;
namespace crit = idc::ModifyCriterion;

void stop(QWidget* owner, const std::string& text, const char* caption) {
    messageBox(owner, text, std::string(caption), MB_OK | MB_ICONSTOP);
}

}  // namespace

// ---- Edit criteria ------------------------------------------------------------------

TDlgEdycjaKryteriow::TDlgEdycjaKryteriow(QWidget* parent, Document& doc)
    : TCentrDialog(parent, tpl::EditCriteria), doc_(doc) {
    onCommand(list::Add, [this] { add(); });
    onCommand(list::Modify, [this] { modify(); });
    onCommand(list::Remove, [this] { remove(); });
}

void TDlgEdycjaKryteriow::setUp() {
    TCentrDialog::setUp();
    onDoubleClick(listBox(list::List), [this] { modify(); });
    fillList();
    listBox(list::List)->setSelIndex(0);
}

void TDlgEdycjaKryteriow::fillList() {
    std::vector<std::string> lines;
    for (const auto& c : doc_.project().criteria) lines.push_back(c.name);
    refillList(*this, list::List, lines, list::Count);
    const bool any = listBox(list::List)->getCount() > 0;
    button(list::Modify)->setEnabled(any);
    button(list::Remove)->setEnabled(any);
}

void TDlgEdycjaKryteriow::modify() {
    TListBox* l = listBox(list::List);
    const int sel = l->getSelIndex();
    if (l->getCount() == 0 || sel < 0) return;
    doc_.selectedCriterion = sel;
    TDlgModyfikacjaKryterium nested(this, doc_);
    nested.runModal();
    fillList();
    l->setFocus();
}

void TDlgEdycjaKryteriow::add() {
    TDlgDodajKryterium nested(this, doc_);
    if (nested.runModal() == IDOK) {
        fillList();
        listBox(list::List)->setSelIndex(doc_.project().m - 1);
    }
    listBox(list::List)->setFocus();
}

void TDlgEdycjaKryteriow::remove() {
    TListBox* l = listBox(list::List);
    const int sel = l->getSelIndex();
    if (l->getCount() == 0 || sel < 0) return;
    if (messageBox(this, dlg::deleteCriterionQuestion(doc_.project().criteria[sel].name),
                   std::string(dlg::kDeleteCriterionCaption), MB_YESNOCANCEL | MB_ICONQUESTION) == IDYES) {
        doc_.deleteCriterion(sel);
        fillList();
        l->setSelIndex(0);
    }
    l->setFocus();
}

bool TDlgEdycjaKryteriow::canClose() {
    const Project& p = doc_.project();
    const int j = dlg::firstFailingCriterion(p);
    if (j < 0) return true;
    stop(this, dlg::invalidThresholdsMessage(p.criteria[j].name), dlg::kErrorAddingCriteria);
    return false;
}

// ---- Modify criteria ----------------------------------------------------------------

namespace {
constexpr int kFieldIds[] = {crit::PAlpha, crit::PBeta, crit::QAlpha, crit::QBeta,
                             crit::VAlpha, crit::VBeta, crit::Weight};
}

TDlgModyfikacjaKryterium::TDlgModyfikacjaKryterium(QWidget* parent, Document& doc)
    : TCentrDialog(parent, tpl::ModifyCriterion), doc_(doc), nameEdit_(new TMyEdit(this, crit::Name, 14, kNameChars)) {
    for (int f = 0; f < FieldCount; ++f)
        edits_[f] = new TMyEdit(this, kFieldIds[f], 9, f == Weight ? kUnsignedChars : kNumberChars);
    onCommand(crit::Preview, [this] { preview(); });
}

void TDlgModyfikacjaKryterium::showCriterion(const Criterion& c) {
    TComboBox* dir = comboBox(crit::Direction);
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
    checkBox(crit::UseVeto)->setCheck(c.useVeto);
    checkBox(crit::InverseMode)->setCheck(c.inverseMode);
}

void TDlgModyfikacjaKryterium::enableThresholds() {
    for (int f : {PAlpha, PBeta, QAlpha, QBeta}) edits_[f]->setEnabled(hasValues_);
    useVetoClicked();
}

void TDlgModyfikacjaKryterium::setUp() {
    const Project& p = doc_.project();
    const int j = doc_.selectedCriterion;
    hasValues_ = dlg::criterionHasValues(p, j);
    TCentrDialog::setUp();
    connect(checkBox(crit::UseVeto), &QCheckBox::clicked, this, [this] { useVetoClicked(); });
    showCriterion(p.criteria[j]);
    enableThresholds();
    button(crit::Preview)->setEnabled(p.n != 0 && hasValues_);
}

void TDlgModyfikacjaKryterium::useVetoClicked() {
    const bool on = checkBox(crit::UseVeto)->getCheck() == 1 && hasValues_;
    edits_[VAlpha]->setEnabled(on);
    edits_[VBeta]->setEnabled(on);
}

ThresholdLine TDlgModyfikacjaKryterium::readLine(int alphaIndex) const {
    return ThresholdLine{fields_[alphaIndex].number(8), fields_[alphaIndex + 1].number(8)};
}

void TDlgModyfikacjaKryterium::readThresholds(Criterion& c) const {
    c.preference = readLine(PAlpha);
    c.indifference = readLine(QAlpha);
    if (checkBox(crit::UseVeto)->getCheck()) {
        c.veto = readLine(VAlpha);
        c.useVeto = 1;
    } else {
        c.useVeto = 0;  // the veto line is kept as it was
    }
    c.inverseMode = checkBox(crit::InverseMode)->getCheck();
}

void TDlgModyfikacjaKryterium::preview() {
    const int j = doc_.selectedCriterion;
    Criterion c = doc_.project().criteria[j];
    readThresholds(c);
    if (!dlg::candidatePasses(doc_.project(), j, c)) {
        stop(this, dlg::invalidThresholdsMessage(c.name), dlg::kInvalidThresholdsCaption);
        return;
    }
    TDlgWartosciWariantow nested(this, doc_, c);
    nested.runModal();
}

bool TDlgModyfikacjaKryterium::canClose() {
    const int j = doc_.selectedCriterion;
    Criterion c = doc_.project().criteria[j];
    readThresholds(c);
    c.direction = comboBox(crit::Direction)->getSelIndex() == 1 ? 1 : 0;
    c.name = nameEdit_->getText(13);
    c.weight = fields_[Weight].number(8);
    if (!dlg::candidatePasses(doc_.project(), j, c)) {
        stop(this, dlg::invalidThresholdsMessage(c.name), dlg::kErrorModifyingCriteria);
        return false;
    }
    doc_.modifyCriterion(j, c);
    return true;
}

// ---- Add criterion ------------------------------------------------------------------

TDlgDodajKryterium::TDlgDodajKryterium(QWidget* parent, Document& doc) : TDlgModyfikacjaKryterium(parent, doc) {}

void TDlgDodajKryterium::setUp() {
    hasValues_ = false;  // a new criterion has no values yet
    TCentrDialog::setUp();
    setWindowTitle(QStringLiteral("Adding new criterion"));
    connect(checkBox(crit::UseVeto), &QCheckBox::clicked, this, [this] { useVetoClicked(); });
    showCriterion(dlg::proposedCriterion(doc_.project()));
    enableThresholds();
    button(crit::Preview)->setEnabled(false);
}

bool TDlgDodajKryterium::canClose() {
    Criterion c;
    c.preference = readLine(PAlpha);
    c.indifference = readLine(QAlpha);
    c.veto = readLine(VAlpha);
    c.useVeto = checkBox(crit::UseVeto)->getCheck();
    c.inverseMode = checkBox(crit::InverseMode)->getCheck();
    c.direction = comboBox(crit::Direction)->getSelIndex() == 1 ? 1 : 0;
    c.name = nameEdit_->getText(13);
    c.weight = fields_[Weight].number(8);
    if (!dlg::candidatePasses(doc_.project(), doc_.project().m, c)) {
        stop(this, dlg::invalidThresholdsMessage(c.name), dlg::kErrorAddingCriteria);
        return false;
    }
    doc_.addCriterion(c);
    return true;
}

// ---- Evaluation of alternatives according to a criterion --------------------------------

TDlgWartosciWariantow::TDlgWartosciWariantow(QWidget* parent, const Document& doc, Criterion shown)
    : TCentrDialog(parent, tpl::Evaluation), doc_(doc), shown_(std::move(shown)) {}

void TDlgWartosciWariantow::setUp() {
    TCentrDialog::setUp();
    const QString title = windowTitle().left(127);
    setWindowTitle(title + QStringLiteral(" '") + QString::fromStdString(shown_.name) + QStringLiteral("'"));
    namespace ids = idc::Evaluation;
    TListBox* list = listBox(ids::List);
    list->setColumnFont();
    refillList(*this, ids::List, dlg::evaluationLines(doc_.project(), doc_.selectedCriterion, shown_));
    if (headings_) return;
    // The headings stand over their columns in the list's font, whatever the
    // dialog's, and follow the lines when they scroll sideways.
    QWidget* first = control(ids::Names);
    headings_ = new TListHeadings(list, first->y(), first->height());
    const int headings[] = {ids::Names, ids::G, ids::Q, ids::P, ids::V};
    for (int k = 0; k < 5; ++k) {
        auto* label = staticText(headings[k]);
        label->setAlignment((k == 0 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignTop);
        headings_->addHeading(label, dlg::kEvaluationColumns[k].first, dlg::kEvaluationColumns[k].end);
    }
}

}  // namespace kvis
