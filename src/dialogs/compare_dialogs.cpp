#include "dialogs/compare_dialogs.h"

#include "dialogs/dialog_logic.h"
#include "dialogs/dialog_util.h"

namespace kvis {

TDlgSetToCompare::TDlgSetToCompare(QWidget* parent) : TCentrDialog(parent, 114) {}

void TDlgSetToCompare::setUp() {
    TCentrDialog::setUp();
    const Workspace& w = ws();
    for (int id : {101, 102}) {
        TComboBox* list = comboBox(id);
        list->clearList();
        for (const auto& a : w.project.alternatives) list->addString(a.name);
    }
    // A pair left over from a larger project offers the first two instead.
    const int n = w.project.n;
    const auto valid = [n](int i) { return i >= 0 && i < n; };
    comboBox(101)->setSelIndex(valid(w.doc.comparePair[0]) ? w.doc.comparePair[0] : 0);
    comboBox(102)->setSelIndex(valid(w.doc.comparePair[1]) ? w.doc.comparePair[1] : (n > 1 ? 1 : 0));
}

bool TDlgSetToCompare::canClose() {
    DocumentState& d = ws().doc;
    // Stored first: a refused pair is what the next run offers again.
    d.comparePair = {comboBox(101)->getSelIndex(), comboBox(102)->getSelIndex()};
    if (d.comparePair[0] == d.comparePair[1]) {
        messageBox(this, std::string(dlg::kSameAlternativeMessage), std::string(dlg::kInvalidChoiceCaption),
                   MB_OK | MB_ICONSTOP);
        return false;
    }
    return true;
}

TDlgCompAlt::TDlgCompAlt(QWidget* parent) : TCentrDialog(parent, 115) {}

namespace {
bool pairValid(const Workspace& w) {
    const auto& pair = w.doc.comparePair;
    return pair[0] >= 0 && pair[0] < w.project.n && pair[1] >= 0 && pair[1] < w.project.n;
}
}  // namespace

void TDlgCompAlt::setUp() {
    TCentrDialog::setUp();
    const Workspace& w = ws();
    const int ids[] = {206, 203, 204, 202, 205};
    for (int id : ids) listBox(id)->setColumnFont();
    fillLists();
    for (int id : ids) listBox(id)->setSelIndex(0);
    if (!pairValid(w)) return;
    staticText(300)->setText(w.project.alternatives[w.doc.comparePair[0]].name);
    staticText(301)->setText(w.project.alternatives[w.doc.comparePair[1]].name);
}

void TDlgCompAlt::fillLists() {
    const Workspace& w = ws();
    if (!pairValid(w)) return;
    const dlg::CompareLists l = dlg::compareLists(w.project, w.doc.comparePair[0], w.doc.comparePair[1]);
    refillList(*this, 206, l.qMinus);
    refillList(*this, 203, l.i);
    refillList(*this, 204, l.q);
    refillList(*this, 202, l.p);
    refillList(*this, 205, l.pv);
}

}  // namespace kvis
