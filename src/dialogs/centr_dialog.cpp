#include "dialogs/centr_dialog.h"

#include <QGuiApplication>
#include <QScreen>


namespace kvis {

void ensureProgramTemplates() {
    static bool done = false;
    if (!done) {
        done = true;
        registerProgramTemplates();
    }
}

namespace {
int withTemplates(int templateId) {
    ensureProgramTemplates();
    return templateId;
}

QRect windowRect(const QWidget* w) {
    if (w->isWindow()) return w->frameGeometry();
    return QRect(w->mapToGlobal(QPoint(0, 0)), w->size());
}
}  // namespace

TCentrDialog::TCentrDialog(QWidget* parent, int templateId) : TDialog(parent, withTemplates(templateId)) {}

void TCentrDialog::setUp() {
    TDialog::setUp();
    // No retitling of the system menu ("Move", "&Close\tAlt+F4"): the window
    // manager owns title bars and their menus.
    centreOverParent();
}

QPoint TCentrDialog::centredPosition(const QRect& dialog, const QRect& parent, const QSize& screen) {
    const int w = dialog.width();
    const int h = dialog.height();
    int left = parent.left() + (parent.width() - w) / 2;
    int top = parent.top() + (parent.height() - h) / 2;
    // Edges as read back after the move (right and bottom exclusive).
    const int right = left + w;
    const int bottom = top + h;
    if (left < 0) left = 0;
    if (top < 0) top = 0;
    if (screen.width() < right) left = screen.width() - (right - left);
    if (screen.height() < bottom) top = screen.height() - (bottom - top);
    return QPoint(left, top);
}

void TCentrDialog::centreOverParent() {
    QRect parentRect;
    if (QWidget* p = parentWidget()) {
        parentRect = windowRect(p);
    } else if (QScreen* s = QGuiApplication::primaryScreen()) {
        parentRect = s->geometry();
    }
    QSize screen = QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->size() : QSize(1024, 768);
    QRect me = frameGeometry();
    move(centredPosition(me, parentRect, screen));
}

}  // namespace kvis
