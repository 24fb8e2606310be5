#pragma once
// Dialog templates as data: every control of a dialog with its id, kind, text
// and rectangle in dialog units. Dialogs are built from these at run time.
#include <string>
#include <vector>

namespace kvis {

enum class ControlKind {
    Static,      // label or static text field
    Edit,        // single-line edit
    Button,      // push button (style Default for the default button)
    ListBox,
    ComboBox,    // drop-down list
    CheckBox,    // auto check box
    GroupBox,
    WhiteFrame,  // decoration, no id
    BlackFrame,  // decoration, no id
    Icon,        // text = icon resource name, e.g. "ICN_KVIS"
};

// Style flags of a control.
namespace cs {
inline constexpr unsigned Default = 1u << 0;     // default push button
inline constexpr unsigned Centre = 1u << 1;      // centred text
inline constexpr unsigned Right = 1u << 2;       // right-aligned text
inline constexpr unsigned Border = 1u << 3;      // sunken border around a static
inline constexpr unsigned Sorted = 1u << 4;      // sorted list box / combo box
inline constexpr unsigned Notify = 1u << 5;      // list box reports double-clicks
inline constexpr unsigned VScroll = 1u << 6;     // vertical scroll bar
inline constexpr unsigned AutoHScroll = 1u << 7; // edit scrolls horizontally
inline constexpr unsigned Disabled = 1u << 8;
inline constexpr unsigned ReadOnly = 1u << 9;
inline constexpr unsigned NoTabStop = 1u << 10;
inline constexpr unsigned WordWrap = 1u << 11;   // multi-line static text
inline constexpr unsigned ColumnFont = 1u << 12; // fixed-pitch column font (list boxes)
}  // namespace cs

struct ControlTemplate {
    int id = -1;  // -1: no id of its own
    ControlKind kind = ControlKind::Static;
    std::string text;
    int x = 0, y = 0, w = 0, h = 0;  // dialog units
    unsigned style = 0;
};

struct DialogTemplate {
    int id = 0;
    std::string caption;
    std::string fontFace = "MS Sans Serif";  // "" = the system font
    int fontPoints = 8;
    int width = 0, height = 0;  // dialog units
    std::vector<ControlTemplate> controls;

    const ControlTemplate* control(int controlId) const;
};

// The process-wide registry of templates by id. Registering an id again
// replaces the earlier template.
void registerDialogTemplate(const DialogTemplate& t);
const DialogTemplate* findDialogTemplate(int id);

}  // namespace kvis
