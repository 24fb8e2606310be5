#pragma once
#include "dialogs/centr_dialog.h"

namespace kvis {

// Help > About program (template 108).
class TDlgAbout : public TCentrDialog {
    Q_OBJECT
public:
    explicit TDlgAbout(QWidget* parent);
    void setUp() override;
};

}  // namespace kvis
