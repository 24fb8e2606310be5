#pragma once
// Creating, changing and removing criteria, and the preview of their thresholds.
#include "dialogs/centr_dialog.h"
#include "dialogs/my_edit.h"
#include "dialogs/number_field.h"
#include "model/project.h"

namespace kvis {

// Edit criteria (104).
class TDlgEdycjaKryteriow : public TCentrDialog {
public:
    explicit TDlgEdycjaKryteriow(QWidget* parent);
    void setUp() override;
    bool canClose() override;
    virtual void fillList();

    void modify();
    void add();
    void remove();
};

// Modify criteria (105), for criterion selectedCriterion.
class TDlgModyfikacjaKryterium : public TCentrDialog {
public:
    explicit TDlgModyfikacjaKryterium(QWidget* parent);
    void setUp() override;
    bool canClose() override;

    void useVetoClicked();
    void preview();

protected:
    // Fills the edits and boxes from a criterion.
    void showCriterion(const Criterion& c);
    // The thresholds as typed (8 characters each).
    ThresholdLine readLine(int alphaIndex) const;
    // The thresholds, veto box and inverse mode as typed, into c.
    void readThresholds(Criterion& c) const;
    void enableThresholds();

    enum Field { PAlpha, PBeta, QAlpha, QBeta, VAlpha, VBeta, Weight, FieldCount };
    TMyEdit* nameEdit_;
    TMyEdit* edits_[FieldCount];
    NumberField fields_[FieldCount];
    bool hasValues_ = false;
};

// Add criterion (105): appends a criterion on a successful OK.
class TDlgDodajKryterium : public TDlgModyfikacjaKryterium {
public:
    explicit TDlgDodajKryterium(QWidget* parent);
    void setUp() override;
    bool canClose() override;
};

// Evaluation of alternatives according to a criterion (107).
class TDlgWartosciWariantow : public TCentrDialog {
public:
    explicit TDlgWartosciWariantow(QWidget* parent);
    void setUp() override;
};

}  // namespace kvis
