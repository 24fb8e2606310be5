#pragma once
// A number shown in an edit for the user to change. "%g" keeps six significant
// digits and the edits take only a few characters, so reading back what was
// shown could change a value the user never touched: an edit whose text is
// still the one shown gives the stored value back exactly.
#include <algorithm>
#include <string>

#include "dialogs/dialog_logic.h"
#include "model/numfmt.h"
#include "platform/controls.h"

namespace kvis {

class NumberField {
public:
    // Shows `text` (the formatted value) in `e`, whose buffer holds textLen
    // characters with the terminator; a longer text widens it to fit whole.
    void show(TEdit* e, double value, const std::string& text, int textLen) {
        edit_ = e;
        value_ = value;
        shown_ = text;
        if (e) {
            e->setTextLimit(std::max(textLen, static_cast<int>(text.size()) + 1));
            e->setText(text);
        }
    }
    void showG(TEdit* e, double value, int textLen) { show(e, value, dlg::gText(value), textLen); }

    // The characters taken from the edit: `readChars`, or the whole shown text
    // when that is longer.
    std::string text(int readChars) const {
        if (!edit_) return shown_;
        return edit_->getText(std::max(readChars, static_cast<int>(shown_.size())));
    }
    bool untouched(int readChars) const { return text(readChars) == shown_; }
    double number(int readChars) const {
        const std::string t = text(readChars);
        return t == shown_ ? value_ : readDouble(t);
    }
    int integer(int readChars) const {
        const std::string t = text(readChars);
        return t == shown_ ? static_cast<int>(value_) : readInt(t);
    }

private:
    TEdit* edit_ = nullptr;
    double value_ = 0;
    std::string shown_;
};

}  // namespace kvis
