#include "app/about_dialog.h"

#include <QDate>

#include "resources/dialog_templates.h"

namespace kvis {

TDlgAbout::TDlgAbout(QWidget* parent) : TCentrDialog(parent, kTemplateAbout) {}

void TDlgAbout::setUp() {
    TCentrDialog::setUp();
    if (auto* years = staticText(205)) years->setText(QString::number(QDate::currentDate().year()));
}

}  // namespace kvis
