#include "dialogs/parameter_dialogs.h"

#include "dialogs/dialog_logic.h"
#include "model/numfmt.h"
#include "model/project_ops.h"

namespace kvis {

// ---- Level of concordance -------------------------------------------------------------

TDlgModyfProguZgodnosci::TDlgModyfProguZgodnosci(QWidget* parent)
    : TCentrDialog(parent, 106), levelEdit_(new TMyEdit(this, 201, 9)) {}

void TDlgModyfProguZgodnosci::setUp() {
    TCentrDialog::setUp();
    level_.showG(levelEdit_, ws().project.levelOfConcordance, 9);
}

bool TDlgModyfProguZgodnosci::canClose() {
    Workspace& w = ws();
    const double s = level_.number(8);
    double upper = 0;
    if (!dlg::levelPasses(w.project, s, upper)) {
        messageBox(this, dlg::levelMessage(upper), std::string(dlg::kValidationErrorCaption), MB_OK | MB_ICONSTOP);
        return false;
    }
    if (s != w.project.levelOfConcordance) setLevelOfConcordance(w.project, w.doc, s);
    return true;
}

// ---- Advanced options -----------------------------------------------------------------

TDlgAdvanced::TDlgAdvanced(QWidget* parent)
    : TCentrDialog(parent, 112),
      arcsEdit_(new TMyEdit(this, 201, 2, kDigitChars)),
      lossEdit_(new TMyEdit(this, 202, 6, kUnsignedChars)) {}

void TDlgAdvanced::setUp() {
    TCentrDialog::setUp();
    const Project& p = ws().project;
    arcs_.show(arcsEdit_, p.maxArcsToCut, format("%d", p.maxArcsToCut), 2);
    loss_.showG(lossEdit_, p.acceptableLoss, 6);
}

bool TDlgAdvanced::canClose() {
    Workspace& w = ws();
    const int k = arcs_.integer(8);
    if (k < 2 || k > 9) {
        messageBox(this, std::string(dlg::kArcsMessage), std::string(dlg::kInvalidValueCaption), MB_OK | MB_ICONSTOP);
        return false;
    }
    setAdvancedOptions(w.project, w.doc, k, loss_.number(8));
    return true;
}

// ---- Select ... -------------------------------------------------------------------------

TDlgSelect::TDlgSelect(QWidget* parent) : TCentrDialog(parent, 113) {}

void TDlgSelect::setUp() {
    TCentrDialog::setUp();
    DocumentState& d = ws().doc;
    // The mask is consumed while the boxes are set: it is 0 once the dialog is up.
    for (const auto& box : dlg::kSelectBoxes) {
        TCheckBox* b = checkBox(box.id);
        b->setEnabled(box.bit == kBitAlternatives || d.resultsValid == 1);
        b->setCheck((d.selectionMask & box.bit) != 0 ? 1 : 0);
    }
    d.selectionMask = 0;
}

bool TDlgSelect::canClose() {
    int mask = 0;
    for (const auto& box : dlg::kSelectBoxes)
        if (checkBox(box.id)->getCheck()) mask += box.bit;
    ws().doc.selectionMask = mask;
    return true;
}

}  // namespace kvis
