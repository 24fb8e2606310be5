#include "platform/message_box.h"

#include <QMessageBox>

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

int messageBox(QWidget* owner, const QString& text, const QString& caption, unsigned flags) {
    if (auto* h = TestHooks::active()) {
        h->messages.push_back({text, caption, flags});
        return h->nextAnswer(escapeAnswer(flags));
    }
    QMessageBox box(owner);
    box.setText(text);
    box.setWindowTitle(caption);
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
