#pragma once
// Modal message boxes with the classic button and icon flags and result ids.
#include <QString>
#include <string>

class QWidget;

namespace kvis {

// Buttons (low bits) and icon (next bits), combined with |.
inline constexpr unsigned MB_OK = 0x0;
inline constexpr unsigned MB_OKCANCEL = 0x1;
inline constexpr unsigned MB_YESNOCANCEL = 0x3;
inline constexpr unsigned MB_YESNO = 0x4;
inline constexpr unsigned MB_ICONSTOP = 0x10;
inline constexpr unsigned MB_ICONQUESTION = 0x20;
inline constexpr unsigned MB_ICONEXCLAMATION = 0x30;
inline constexpr unsigned MB_ICONINFORMATION = 0x40;
inline constexpr unsigned MB_BUTTONMASK = 0xf;
inline constexpr unsigned MB_ICONMASK = 0xf0;

// Result ids (also the button ids of dialogs).
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;

// Shows a modal message box owned by `owner` (may be null) and returns the id
// of the button pressed; closing the box counts as Cancel (or No / OK when
// there is no Cancel button). Under TestHooks the call is recorded instead.
int messageBox(QWidget* owner, const QString& text, const QString& caption, unsigned flags);
int messageBox(QWidget* owner, const std::string& text, const std::string& caption, unsigned flags);
// A box whose caption names a file by its path (the caption itself or a part
// of it): when the whole caption is too wide for any box the screen allows,
// the path in it gives way to the file's name. Hooks record the whole caption.
int messageBox(QWidget* owner, const QString& text, const QString& caption, unsigned flags, const QString& path);

// The caption of such a box at most `maxWidth` wide (TDialog::captionWidth).
QString fittedCaption(const QString& caption, const QString& path, int maxWidth);

// What a box closed without a button press answers: Cancel, else No, else OK.
int escapeAnswer(unsigned flags);

}  // namespace kvis
