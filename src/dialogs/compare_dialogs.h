#pragma once
// Choosing two alternatives and comparing them criterion by criterion.
#include "dialogs/centr_dialog.h"

namespace kvis {

// Select alternatives to compare (114).
class TDlgSetToCompare : public TCentrDialog {
public:
    explicit TDlgSetToCompare(QWidget* parent);
    void setUp() override;
    bool canClose() override;
};

// Compare alternative 1 to alternative 2 (115).
class TDlgCompAlt : public TCentrDialog {
public:
    explicit TDlgCompAlt(QWidget* parent);
    void setUp() override;
    virtual void fillLists();
};

}  // namespace kvis
