#pragma once
// Editing the alternatives and their evaluations.
#include <string>
#include <vector>

#include "dialogs/centr_dialog.h"
#include "dialogs/my_edit.h"
#include "dialogs/number_field.h"
#include "document/document.h"

namespace kvis {

// Edit alternatives (101): the list with Add, Modify and Remove.
class TDlgEdycjaWariantow : public TCentrDialog {
public:
    TDlgEdycjaWariantow(QWidget* parent, Document& doc);
    void setUp() override;
    virtual void fillList();

    void modify();
    void add();
    void remove();

private:
    Document& doc_;
    bool wired_ = false;
};

// Modify alternative (102): the name and the list of its values.
class TDlgModyfikacjaWariantu : public TCentrDialog {
public:
    TDlgModyfikacjaWariantu(QWidget* parent, Document& doc);
    void setUp() override;
    bool canClose() override;
    virtual void fillList();
    virtual void modifyValue();

protected:
    // Commands and the double-click, shared with Add alternative.
    void wire();
    Document& doc_;
    TMyEdit* nameEdit_;
};

// Add alternative (102): collects a name and pending values, appends on OK.
class TDlgDodajWariant : public TDlgModyfikacjaWariantu {
public:
    TDlgDodajWariant(QWidget* parent, Document& doc);
    void setUp() override;
    bool canClose() override;
    void fillList() override;
    void modifyValue() override;

    const std::vector<double>& pendingValues() const { return pendingValues_; }

private:
    std::vector<double> pendingValues_;
};

// Modify value of criterion (103): one evaluation of the Project.
class TDlgModyfikacjaWartosciKryterium : public TCentrDialog {
public:
    TDlgModyfikacjaWartosciKryterium(QWidget* parent, Document& doc);
    void setUp() override;
    bool canClose() override;

protected:
    Document& doc_;
    TMyEdit* valueEdit_;
    NumberField value_;
};

// The value dialog of a pending alternative: edits one pending value.
class TDlgModyfKryt2 : public TDlgModyfikacjaWartosciKryterium {
public:
    TDlgModyfKryt2(QWidget* parent, Document& doc, std::string name, double& pending);
    void setUp() override;
    bool canClose() override;

private:
    std::string name_;
    double& pending_;
};

}  // namespace kvis
