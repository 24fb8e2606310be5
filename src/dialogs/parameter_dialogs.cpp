#include "dialogs/parameter_dialogs.h"

#include "dialogs/dialog_logic.h"
#include "engine/validate.h"
#include "model/numfmt.h"

namespace kvis {

// ---- Level of concordance -------------------------------------------------------------

TDlgModyfProguZgodnosci::TDlgModyfProguZgodnosci(QWidget* parent, Document& doc)
    : TCentrDialog(parent, tpl::Level), doc_(doc), levelEdit_(new TMyEdit(this, idc::Level::Value, 9)) {}

void TDlgModyfProguZgodnosci::setUp() {
    TCentrDialog::setUp();
    level_.showG(levelEdit_, doc_.project().levelOfConcordance, 9);
}

bool TDlgModyfProguZgodnosci::canClose() {
    const double s = level_.number(8);
    double upper = 0;
    if (!dlg::levelPasses(doc_.project(), s, upper)) {
        messageBox(this, levelMessage(upper), std::string(kValidationCaption), MB_OK | MB_ICONSTOP);
        return false;
    }
    doc_.setLevelOfConcordance(s);
    return true;
}

// ---- Advanced options -----------------------------------------------------------------

TDlgAdvanced::TDlgAdvanced(QWidget* parent, Document& doc)
    : TCentrDialog(parent, tpl::Advanced),
      doc_(doc),
      arcsEdit_(new TMyEdit(this, idc::Advanced::Arcs, 2, kDigitChars)),
      lossEdit_(new TMyEdit(this, idc::Advanced::Loss, 6, kUnsignedChars)) {}

void TDlgAdvanced::setUp() {
    TCentrDialog::setUp();
    const Project& p = doc_.project();
    arcs_.show(arcsEdit_, p.maxArcsToCut, format("%d", p.maxArcsToCut), 2);
    loss_.showG(lossEdit_, p.acceptableLoss, 6);
}

bool TDlgAdvanced::canClose() {
    const int k = arcs_.integer(8);
    if (k < 2 || k > 9) {
        messageBox(this, std::string(dlg::kArcsMessage), std::string(dlg::kInvalidValueCaption), MB_OK | MB_ICONSTOP);
        return false;
    }
    doc_.setAdvancedOptions(k, loss_.number(8));
    return true;
}

// ---- Select ... -------------------------------------------------------------------------

TDlgSelect::TDlgSelect(QWidget* parent, Document& doc) : TCentrDialog(parent, tpl::Select), doc_(doc) {}

void TDlgSelect::setUp() {
    TCentrDialog::setUp();
    const DocumentState& d = doc_.state();
    // The mask is consumed while the boxes are set: it is 0 once the dialog is up.
    for (const auto& box : dlg::kSelectBoxes) {
        TCheckBox* b = checkBox(box.id);
        b->setEnabled(box.bit == kBitAlternatives || d.resultsValid == 1);
        b->setCheck((d.selectionMask & box.bit) != 0 ? 1 : 0);
    }
    doc_.setSelectionMask(0);
}

bool TDlgSelect::canClose() {
    int mask = 0;
    for (const auto& box : dlg::kSelectBoxes)
        if (checkBox(box.id)->getCheck()) mask += box.bit;
    doc_.setSelectionMask(mask);
    return true;
}

}  // namespace kvis
