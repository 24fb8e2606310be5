#include "app/project_dialogs.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

#include "dialogs/centr_dialog.h"

namespace kvis {

void setUpFileDialog(TOpenSaveDialog& d) {
    QFileDialog* f = d.dialog();
    f->setLabelText(QFileDialog::FileName, QStringLiteral("File &Name:"));
    f->setLabelText(QFileDialog::FileType, QStringLiteral("List Files of &Type:"));
    f->setLabelText(QFileDialog::LookIn, QStringLiteral("&Directories:"));
    f->setLabelText(QFileDialog::Accept, QStringLiteral("&OK"));
    f->setLabelText(QFileDialog::Reject, QStringLiteral("&Cancel"));
    if (auto* label = f->findChild<QLabel*>(QStringLiteral("lookInLabel")))
        label->setBuddy(f->findChild<QWidget*>(QStringLiteral("lookInCombo")));
    // There are no drives to choose and no help button on this platform.
    f->adjustSize();
    QRect parent;
    if (QWidget* p = d.parentWindow()) {
        parent = p->window()->frameGeometry();
    } else if (QScreen* s = QGuiApplication::primaryScreen()) {
        parent = s->geometry();
    }
    const QSize screen = QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->size() : QSize(1024, 768);
    f->move(TCentrDialog::centredPosition(f->frameGeometry(), parent, screen));
}

void DialogOtwarciaPliku::setUp() {
    TFileOpenDialog::setUp();
    setUpFileDialog(*this);
}

void DialogZapisuPliku::setUp() {
    TFileSaveDialog::setUp();
    setUpFileDialog(*this);
}

}  // namespace kvis
