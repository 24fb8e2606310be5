#pragma once
// The edit of every dialog: selects its whole text whenever it takes the
// focus, so typing replaces the old value; optional character filter.
#include "platform/controls.h"

namespace kvis {

// The character sets of the dialogs' edits.
inline constexpr const char* kNameChars = "A-Za-z0-9_";
inline constexpr const char* kNumberChars = "0-9.eE+-";
inline constexpr const char* kUnsignedChars = "0-9.";
inline constexpr const char* kDigitChars = "0-9";

class TMyEdit : public TEdit {
    Q_OBJECT
public:
    // textLen: buffer size including the terminating zero (textLen - 1
    // characters can be entered); filter: a character set or null for none.
    TMyEdit(TDialog* parent, int id, int textLen, const char* filter = nullptr);

protected:
    void focusInEvent(QFocusEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    bool selectOnRelease_ = false;
};

}  // namespace kvis
