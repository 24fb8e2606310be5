#pragma once
// Creating, changing and removing criteria, and the preview of their thresholds.
#include "dialogs/centr_dialog.h"
#include "dialogs/my_edit.h"
#include "dialogs/number_field.h"
#include "document/document.h"

namespace kvis {

// Edit criteria (104).
class TDlgEdycjaKryteriow : public TCentrDialog {
public:
    TDlgEdycjaKryteriow(QWidget* parent, Document& doc);
    void setUp() override;
    bool canClose() override;
    virtual void fillList();

    void modify();
    void add();
    void remove();

private:
    Document& doc_;
};

// Modify criteria (105), for criterion selectedCriterion.
class TDlgModyfikacjaKryterium : public TCentrDialog {
public:
    TDlgModyfikacjaKryterium(QWidget* parent, Document& doc);
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
    Document& doc_;
    TMyEdit* nameEdit_;
    TMyEdit* edits_[FieldCount];
    NumberField fields_[FieldCount];
    bool hasValues_ = false;
};

// Add criterion (105): appends a criterion on a successful OK.
class TDlgDodajKryterium : public TDlgModyfikacjaKryterium {
public:
    TDlgDodajKryterium(QWidget* parent, Document& doc);
    void setUp() override;
    bool canClose() override;
};

// Evaluation of alternatives according to a criterion (107): the evaluations
// of criterion selectedCriterion with the thresholds of `shown`, as typed.
class TDlgWartosciWariantow : public TCentrDialog {
public:
    TDlgWartosciWariantow(QWidget* parent, const Document& doc, Criterion shown);
    void setUp() override;

private:
    const Document& doc_;
    Criterion shown_;
    TListHeadings* headings_ = nullptr;
};

}  // namespace kvis
