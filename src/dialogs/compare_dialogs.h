#pragma once
// Choosing two alternatives and comparing them criterion by criterion.
#include "dialogs/centr_dialog.h"
#include "document/document.h"

namespace kvis {

// Select alternatives to compare (114).
class TDlgSetToCompare : public TCentrDialog {
public:
    TDlgSetToCompare(QWidget* parent, Document& doc);
    void setUp() override;
    bool canClose() override;

private:
    Document& doc_;
};

// Compare alternative 1 to alternative 2 (115).
class TDlgCompAlt : public TCentrDialog {
public:
    TDlgCompAlt(QWidget* parent, const Document& doc);
    void setUp() override;
    virtual void fillLists();

private:
    const Document& doc_;
};

}  // namespace kvis
