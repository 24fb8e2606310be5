#pragma once
// The level of concordance, the advanced options and the choice of results.
#include "dialogs/centr_dialog.h"
#include "dialogs/my_edit.h"
#include "dialogs/number_field.h"
#include "document/document.h"

namespace kvis {

// Level of concordance (106).
class TDlgModyfProguZgodnosci : public TCentrDialog {
public:
    TDlgModyfProguZgodnosci(QWidget* parent, Document& doc);
    void setUp() override;
    bool canClose() override;

private:
    Document& doc_;
    TMyEdit* levelEdit_;
    NumberField level_;
};

// Advanced options (112).
class TDlgAdvanced : public TCentrDialog {
public:
    TDlgAdvanced(QWidget* parent, Document& doc);
    void setUp() override;
    bool canClose() override;

private:
    Document& doc_;
    TMyEdit* arcsEdit_;
    TMyEdit* lossEdit_;
    NumberField arcs_;
    NumberField loss_;
};

// "Select ..." (113): which parts of the results to save or print.
class TDlgSelect : public TCentrDialog {
public:
    TDlgSelect(QWidget* parent, Document& doc);
    void setUp() override;
    bool canClose() override;

private:
    Document& doc_;
};

}  // namespace kvis
