#include "dialogs/my_edit.h"

#include <QFocusEvent>

namespace kvis {

TMyEdit::TMyEdit(TDialog* parent, int id, int textLen, const char* filter) : TEdit(parent, id, textLen) {
    if (filter) setFilter(QString::fromLatin1(filter));
}

void TMyEdit::focusInEvent(QFocusEvent* e) {
    TEdit::focusInEvent(e);
    selectAll();
    // A click places the cursor after the focus arrives; select again when
    // the button is released.
    selectOnRelease_ = e->reason() == Qt::MouseFocusReason;
}

void TMyEdit::mouseReleaseEvent(QMouseEvent* e) {
    TEdit::mouseReleaseEvent(e);
    if (selectOnRelease_) {
        selectOnRelease_ = false;
        if (!hasSelectedText() || selectedText() != text()) selectAll();
    }
}

}  // namespace kvis
