#include "app/about_dialog.h"

#include <QDate>


namespace kvis {

TDlgAbout::TDlgAbout(QWidget* parent) : TCentrDialog(parent, tpl::About) {}

void TDlgAbout::setUp() {
    TCentrDialog::setUp();
    if (auto* years = staticText(idc::About::Years)) years->setText(QString::number(QDate::currentDate().year()));
}

}  // namespace kvis
