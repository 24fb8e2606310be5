#include "dialogs/compare_dialogs.h"

#include "dialogs/dialog_logic.h"
#include "dialogs/dialog_util.h"

namespace kvis {

namespace {

namespace pick = idc::SetToCompare;
namespace cmp = idc::Compare;

bool pairValid(const Document& doc) {
    const auto& pair = doc.state().comparePair;
    const int n = doc.project().n;
    return pair[0] >= 0 && pair[0] < n && pair[1] >= 0 && pair[1] < n;
}

}  // namespace

TDlgSetToCompare::TDlgSetToCompare(QWidget* parent, Document& doc)
    : TCentrDialog(parent, tpl::SetToCompare), doc_(doc) {}

void TDlgSetToCompare::setUp() {
    TCentrDialog::setUp();
    for (int id : {pick::First, pick::Second}) {
        TComboBox* list = comboBox(id);
        list->clearList();
        for (const auto& a : doc_.project().alternatives) list->addString(a.name);
    }
    // A pair left over from a larger project offers the first two instead.
    const int n = doc_.project().n;
    const auto& pair = doc_.state().comparePair;
    const auto valid = [n](int i) { return i >= 0 && i < n; };
    comboBox(pick::First)->setSelIndex(valid(pair[0]) ? pair[0] : 0);
    comboBox(pick::Second)->setSelIndex(valid(pair[1]) ? pair[1] : (n > 1 ? 1 : 0));
}

bool TDlgSetToCompare::canClose() {
    // Stored first: a refused pair is what the next run offers again.
    const int first = comboBox(pick::First)->getSelIndex();
    const int second = comboBox(pick::Second)->getSelIndex();
    doc_.setComparePair(first, second);
    if (first == second) {
        messageBox(this, std::string(dlg::kSameAlternativeMessage), std::string(dlg::kInvalidChoiceCaption),
                   MB_OK | MB_ICONSTOP);
        return false;
    }
    return true;
}

TDlgCompAlt::TDlgCompAlt(QWidget* parent, const Document& doc) : TCentrDialog(parent, tpl::Compare), doc_(doc) {}

void TDlgCompAlt::setUp() {
    TCentrDialog::setUp();
    const int ids[] = {cmp::QMinus, cmp::I, cmp::Q, cmp::P, cmp::PV};
    for (int id : ids) listBox(id)->setColumnFont();
    fillLists();
    for (int id : ids) listBox(id)->setSelIndex(0);
    if (!pairValid(doc_)) return;
    const auto& pair = doc_.state().comparePair;
    staticText(cmp::First)->setText(doc_.project().alternatives[pair[0]].name);
    staticText(cmp::Second)->setText(doc_.project().alternatives[pair[1]].name);
}

void TDlgCompAlt::fillLists() {
    if (!pairValid(doc_)) return;
    const auto& pair = doc_.state().comparePair;
    const dlg::CompareLists l = dlg::compareLists(doc_.project(), pair[0], pair[1]);
    refillList(*this, cmp::QMinus, l.qMinus);
    refillList(*this, cmp::I, l.i);
    refillList(*this, cmp::Q, l.q);
    refillList(*this, cmp::P, l.p);
    refillList(*this, cmp::PV, l.pv);
}

}  // namespace kvis
