#include "platform/message_box.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <algorithm>

#include "platform/dialog.h"
#include "platform/test_hooks.h"

namespace kvis {

int escapeAnswer(unsigned flags) {
    switch (flags & MB_BUTTONMASK) {
        case MB_OKCANCEL:
        case MB_YESNOCANCEL: return IDCANCEL;
        case MB_YESNO: return IDNO;
        default: return IDOK;
    }
}

QString fittedCaption(const QString& caption, const QString& path, int maxWidth) {
    if (path.isEmpty() || TDialog::captionWidth(caption) <= maxWidth) return caption;
    QString shorter = caption;
    shorter.replace(path, QFileInfo(path).fileName());
    return shorter;
}

namespace {

// The widest a message box grows on the owner's screen (what the box itself
// allows its text).
int widestBox(const QWidget* owner) {
    const QScreen* s = owner ? owner->screen() : QGuiApplication::primaryScreen();
    const int screen = s ? s->availableGeometry().width() : 1024;
    return screen <= 1024 ? screen : std::min(screen - 480, 1000);
}

}  // namespace

int messageBox(QWidget* owner, const QString& text, const QString& caption, unsigned flags) {
    return messageBox(owner, text, caption, flags, QString());
}

int messageBox(QWidget* owner, const QString& text, const QString& caption, unsigned flags, const QString& path) {
    if (auto* h = TestHooks::active()) {
        h->messages.push_back({text, caption, flags});
        return h->nextAnswer(escapeAnswer(flags));
    }
    QMessageBox box(owner);
    box.setText(text);
    const QString title = fittedCaption(caption, path, widestBox(owner));
    box.setWindowTitle(title);
    switch (flags & MB_ICONMASK) {
        case MB_ICONSTOP: box.setIcon(QMessageBox::Critical); break;
        case MB_ICONQUESTION: box.setIcon(QMessageBox::Question); break;
        case MB_ICONEXCLAMATION: box.setIcon(QMessageBox::Warning); break;
        case MB_ICONINFORMATION: box.setIcon(QMessageBox::Information); break;
        default: break;
    }
    switch (flags & MB_BUTTONMASK) {
        case MB_OKCANCEL: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
        case MB_YESNOCANCEL:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            box.setDefaultButton(QMessageBox::Yes);
            break;
        case MB_YESNO:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            box.setDefaultButton(QMessageBox::Yes);
            break;
        default: box.setStandardButtons(QMessageBox::Ok); break;
    }
    // Wide enough for its caption: the box sizes itself to its layout.
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
        grid->addItem(new QSpacerItem(std::min(TDialog::captionWidth(title), widestBox(owner)), 0), grid->rowCount(), 0,
                      1, grid->columnCount());
    box.exec();
    auto* clicked = box.clickedButton();
    if (!clicked) return escapeAnswer(flags);
    switch (box.standardButton(clicked)) {
        case QMessageBox::Ok: return IDOK;
        case QMessageBox::Yes: return IDYES;
        case QMessageBox::No: return IDNO;
        case QMessageBox::Cancel: return IDCANCEL;
        default: return escapeAnswer(flags);
    }
}

int messageBox(QWidget* owner, const std::string& text, const std::string& caption, unsigned flags) {
    return messageBox(owner, QString::fromStdString(text), QString::fromStdString(caption), flags);
}

}  // namespace kvis
