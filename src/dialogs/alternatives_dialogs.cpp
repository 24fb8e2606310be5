#include "dialogs/alternatives_dialogs.h"

#include "dialogs/dialog_logic.h"
#include "dialogs/dialog_util.h"

namespace kvis {

// ---- Edit alternatives ----------------------------------------------------------

namespace {
namespace list = idc::EditList;
}

TDlgEdycjaWariantow::TDlgEdycjaWariantow(QWidget* parent, Document& doc)
    : TCentrDialog(parent, tpl::EditAlternatives), doc_(doc) {
    onCommand(list::Add, [this] { add(); });
    onCommand(list::Modify, [this] { modify(); });
    onCommand(list::Remove, [this] { remove(); });
}

void TDlgEdycjaWariantow::setUp() {
    TCentrDialog::setUp();
    if (!wired_) {
        wired_ = true;
        onDoubleClick(listBox(list::List), [this] { modify(); });
    }
    fillList();
    listBox(list::List)->setSelIndex(0);
}

void TDlgEdycjaWariantow::fillList() {
    std::vector<std::string> lines;
    for (const auto& a : doc_.project().alternatives) lines.push_back(a.name);
    refillList(*this, list::List, lines, list::Count);
    const bool any = listBox(list::List)->getCount() > 0;
    button(list::Modify)->setEnabled(any);
    button(list::Remove)->setEnabled(any);
}

void TDlgEdycjaWariantow::modify() {
    TListBox* l = listBox(list::List);
    const int sel = l->getSelIndex();
    if (l->getCount() == 0 || sel < 0) return;
    doc_.selectedAlternative = sel;
    TDlgModyfikacjaWariantu nested(this, doc_);
    nested.runModal();
    fillList();
    l->setFocus();
}

void TDlgEdycjaWariantow::add() {
    TDlgDodajWariant nested(this, doc_);
    if (nested.runModal() == IDOK) {
        fillList();
        listBox(list::List)->setSelIndex(doc_.project().n - 1);
    }
    listBox(list::List)->setFocus();
}

void TDlgEdycjaWariantow::remove() {
    TListBox* l = listBox(list::List);
    const int sel = l->getSelIndex();
    if (l->getCount() == 0 || sel < 0) return;
    const std::string name = doc_.project().alternatives[sel].name;
    if (messageBox(this, dlg::deleteAlternativeQuestion(name), std::string(dlg::kDeleteAlternativeCaption),
                   MB_YESNOCANCEL | MB_ICONQUESTION) == IDYES) {
        doc_.deleteAlternative(sel);
        fillList();
        l->setSelIndex(0);
    }
    l->setFocus();
}

// ---- Modify alternative -----------------------------------------------------------

namespace {
namespace alt = idc::ModifyAlternative;
}

TDlgModyfikacjaWariantu::TDlgModyfikacjaWariantu(QWidget* parent, Document& doc)
    : TCentrDialog(parent, tpl::ModifyAlternative), doc_(doc), nameEdit_(new TMyEdit(this, alt::Name, 14, kNameChars)) {
    onCommand(alt::Modify, [this] { modifyValue(); });
}

void TDlgModyfikacjaWariantu::wire() {
    onDoubleClick(listBox(alt::Values), [this] { modifyValue(); });
}

void TDlgModyfikacjaWariantu::setUp() {
    TCentrDialog::setUp();
    wire();
    listBox(alt::Values)->setColumnFont();
    fillList();
    listBox(alt::Values)->setSelIndex(0);
    nameEdit_->setText(doc_.project().alternatives[doc_.selectedAlternative].name);
    button(alt::Modify)->setEnabled(doc_.project().m != 0);
}

void TDlgModyfikacjaWariantu::fillList() {
    refillList(*this, alt::Values, dlg::alternativeValueLines(doc_.project(), doc_.selectedAlternative));
}

void TDlgModyfikacjaWariantu::modifyValue() {
    TListBox* l = listBox(alt::Values);
    const int sel = l->getSelIndex();
    if (sel < 0) return;
    doc_.selectedCriterion = sel;
    // The name typed so far is stored now so that the value dialog shows it.
    doc_.renameAlternative(doc_.selectedAlternative, nameEdit_->getText(13));
    TDlgModyfikacjaWartosciKryterium nested(this, doc_);
    nested.runModal();
    fillList();
    l->setFocus();
}

bool TDlgModyfikacjaWariantu::canClose() {
    doc_.renameAlternative(doc_.selectedAlternative, nameEdit_->getText(13));
    return true;
}

// ---- Add alternative ----------------------------------------------------------------

TDlgDodajWariant::TDlgDodajWariant(QWidget* parent, Document& doc)
    : TDlgModyfikacjaWariantu(parent, doc), pendingValues_(static_cast<size_t>(std::max(doc.project().m, 0)), 0.0) {}

void TDlgDodajWariant::setUp() {
    TCentrDialog::setUp();
    wire();
    setWindowTitle(QStringLiteral("Adding new alternative"));
    listBox(alt::Values)->setColumnFont();
    fillList();
    listBox(alt::Values)->setSelIndex(0);
    nameEdit_->setText(dlg::proposedAlternativeName(doc_.project()));
}

void TDlgDodajWariant::fillList() {
    refillList(*this, alt::Values, dlg::pendingValueLines(doc_.project(), pendingValues_));
    button(alt::Modify)->setEnabled(doc_.project().m != 0);
}

void TDlgDodajWariant::modifyValue() {
    TListBox* l = listBox(alt::Values);
    const int sel = l->getSelIndex();
    if (sel < 0 || sel >= static_cast<int>(pendingValues_.size())) return;
    const std::string name = nameEdit_->getText(13);
    doc_.selectedCriterion = sel;
    TDlgModyfKryt2 nested(this, doc_, name, pendingValues_[static_cast<size_t>(sel)]);
    nested.runModal();
    fillList();
    l->setFocus();
}

bool TDlgDodajWariant::canClose() {
    doc_.addAlternative(nameEdit_->getText(13), pendingValues_);
    return true;
}

// ---- Modify value of criterion --------------------------------------------------------

namespace {
namespace value = idc::ModifyValue;
}

TDlgModyfikacjaWartosciKryterium::TDlgModyfikacjaWartosciKryterium(QWidget* parent, Document& doc)
    : TCentrDialog(parent, tpl::ModifyValue), doc_(doc), valueEdit_(new TMyEdit(this, value::Value, 10, kNumberChars)) {}

void TDlgModyfikacjaWartosciKryterium::setUp() {
    TCentrDialog::setUp();
    const Project& p = doc_.project();
    const int i = doc_.selectedAlternative;
    const int c = doc_.selectedCriterion;
    staticText(value::Alternative)->setText(p.alternatives[i].name);
    staticText(value::Criterion)->setText(p.criteria[c].name);
    value_.showG(valueEdit_, p.eval(i, c), 10);
}

bool TDlgModyfikacjaWartosciKryterium::canClose() {
    const int i = doc_.selectedAlternative;
    const int c = doc_.selectedCriterion;
    const double v = value_.number(9);
    // A changed number is an edit; the same number typed otherwise only
    // changes the text shown for it.
    if (v != doc_.project().eval(i, c))
        doc_.setEvaluation(i, c, v, value_.text(9));
    else
        doc_.setEvaluationText(i, c, value_.text(9));
    return true;
}

// ---- Value of a pending alternative ---------------------------------------------------

TDlgModyfKryt2::TDlgModyfKryt2(QWidget* parent, Document& doc, std::string name, double& pending)
    : TDlgModyfikacjaWartosciKryterium(parent, doc), name_(std::move(name)), pending_(pending) {}

void TDlgModyfKryt2::setUp() {
    // Not the base's set-up: there is no stored alternative to show yet.
    TCentrDialog::setUp();
    staticText(value::Alternative)->setText(name_);
    staticText(value::Criterion)->setText(doc_.project().criteria[doc_.selectedCriterion].name);
    value_.showG(valueEdit_, pending_, 10);
}

bool TDlgModyfKryt2::canClose() {
    pending_ = value_.number(9);
    return true;
}

}  // namespace kvis
