#pragma once
// The open and save dialogs of the project commands: centred over the main
// window and labelled in English.
#include "platform/file_dialogs.h"

namespace kvis {

class DialogOtwarciaPliku : public TFileOpenDialog {
public:
    DialogOtwarciaPliku(QWidget* parent, TData& data, const QString& title) : TFileOpenDialog(parent, data, title) {}
    void setUp() override;
};

class DialogZapisuPliku : public TFileSaveDialog {
public:
    DialogZapisuPliku(QWidget* parent, TData& data, const QString& title) : TFileSaveDialog(parent, data, title) {}
    void setUp() override;
};

// Labels and centring shared by both.
void setUpFileDialog(TOpenSaveDialog& d);

}  // namespace kvis
