// Templates of the editing and inspection dialogs (ids 101-107, 110-115).
#include "resources/dialog_templates.h"

#include "platform/message_box.h"

namespace kvis {

namespace {

using K = ControlKind;

ControlTemplate c(int id, K kind, const char* text, int x, int y, int w, int h, unsigned style = 0) {
    ControlTemplate t;
    t.id = id;
    t.kind = kind;
    t.text = text;
    t.x = x;
    t.y = y;
    t.w = w;
    t.h = h;
    t.style = style;
    return t;
}

ControlTemplate label(const char* text, int x, int y, int w, int h) { return c(-1, K::Static, text, x, y, w, h); }
ControlTemplate group(const char* text, int x, int y, int w, int h) { return c(-1, K::GroupBox, text, x, y, w, h); }
ControlTemplate white(int w, int h) { return c(-1, K::WhiteFrame, "", 2, 2, w - 4, h - 4); }
ControlTemplate black(int x, int y, int w, int h) { return c(-1, K::BlackFrame, "", x, y, w, h); }

DialogTemplate dialog(int id, const char* caption, int w, int h) {
    DialogTemplate t;
    t.id = id;
    t.caption = caption;
    t.width = w;
    t.height = h;
    t.controls.push_back(white(w, h));
    return t;
}

constexpr unsigned kList = cs::Notify | cs::VScroll;

// Edit alternatives and Edit criteria share their layout.
DialogTemplate listDialog(int id, const char* caption, const char* groupText, const char* countLabel, int labelW,
                          int countX) {
    namespace ids = idc::EditList;
    DialogTemplate t = dialog(id, caption, 200, 142);
    t.controls.push_back(black(137, 10, 60, 78));
    t.controls.push_back(c(ids::List, K::ListBox, "", 15, 18, 107, 105, kList));
    t.controls.push_back(c(IDOK, K::Button, "&OK", 142, 15, 50, 14));
    t.controls.push_back(c(ids::Add, K::Button, "&Add", 142, 33, 50, 14));
    t.controls.push_back(c(ids::Modify, K::Button, "&Modify", 142, 51, 50, 14, cs::Default));
    t.controls.push_back(c(ids::Remove, K::Button, "&Remove", 142, 69, 50, 14));
    t.controls.push_back(group(groupText, 6, 5, 124, 130));
    t.controls.push_back(label(countLabel, 19, 122, labelW, 8));
    t.controls.push_back(c(ids::Count, K::Static, "30", countX, 122, 27, 9, cs::Centre | cs::Border));
    return t;
}

DialogTemplate modifyAlternative() {
    namespace ids = idc::ModifyAlternative;
    DialogTemplate t = dialog(tpl::ModifyAlternative, "Modify alternative", 250, 148);
    t.controls.push_back(black(186, 8, 60, 60));
    t.controls.push_back(label("Name of alternative:", 8, 10, 68, 8));
    t.controls.push_back(c(ids::Name, K::Edit, "", 80, 8, 88, 12, cs::AutoHScroll));
    t.controls.push_back(group("List of criteria:", 7, 28, 161, 112));
    t.controls.push_back(label("Criterion:", 18, 41, 40, 8));
    t.controls.push_back(label("Value:", 97, 41, 30, 8));
    t.controls.push_back(c(ids::Values, K::ListBox, "", 15, 53, 145, 79, cs::Notify | cs::ColumnFont));
    t.controls.push_back(c(IDOK, K::Button, "&OK", 191, 13, 50, 14));
    t.controls.push_back(c(IDCANCEL, K::Button, "&Cancel", 191, 31, 50, 14));
    t.controls.push_back(c(ids::Modify, K::Button, "&Modify", 191, 49, 50, 14, cs::Default));
    return t;
}

DialogTemplate modifyValue() {
    namespace ids = idc::ModifyValue;
    DialogTemplate t = dialog(tpl::ModifyValue, "Modify value of criterion", 208, 56);
    t.controls.push_back(black(145, 6, 60, 42));
    t.controls.push_back(label("Alternative:", 8, 8, 38, 8));
    t.controls.push_back(c(ids::Alternative, K::Static, "Nazwa wariantu", 50, 7, 85, 10, cs::Border));
    t.controls.push_back(label("Criterion:", 8, 21, 35, 8));
    t.controls.push_back(c(ids::Criterion, K::Static, "Nazwa kryterium", 50, 20, 85, 10, cs::Border));
    t.controls.push_back(label("Value:", 8, 37, 31, 8));
    t.controls.push_back(c(ids::Value, K::Edit, "", 50, 35, 47, 12, cs::AutoHScroll));
    t.controls.push_back(c(IDOK, K::Button, "&OK", 150, 11, 50, 14, cs::Default));
    t.controls.push_back(c(IDCANCEL, K::Button, "&Cancel", 150, 29, 50, 14));
    return t;
}

DialogTemplate modifyCriteria() {
    namespace ids = idc::ModifyCriterion;
    DialogTemplate t = dialog(tpl::ModifyCriterion, "Modify criteria", 232, 166);
    t.controls.push_back(black(164, 94, 61, 64));
    t.controls.push_back(label("Criterion:", 9, 10, 31, 8));
    t.controls.push_back(c(ids::Name, K::Edit, "", 42, 8, 104, 12, cs::AutoHScroll));
    t.controls.push_back(label("Weight:", 8, 30, 27, 9));
    t.controls.push_back(c(ids::Weight, K::Edit, "", 42, 28, 38, 12, cs::AutoHScroll));
    t.controls.push_back(c(ids::InverseMode, K::CheckBox, "Inverse mode", 88, 28, 58, 12));
    t.controls.push_back(label("Preferences:", 170, 10, 41, 10));
    t.controls.push_back(c(ids::Direction, K::ComboBox, "", 170, 29, 55, 35, cs::VScroll));
    // Threshold edits hold the eight widest digits they take.
    t.controls.push_back(group("Thresholds of:", 6, 45, 152, 114));
    t.controls.push_back(group("indifference q:", 11, 54, 142, 26));
    t.controls.push_back(label("alpha =", 15, 66, 26, 8));
    t.controls.push_back(c(ids::QAlpha, K::Edit, "", 42, 65, 38, 12, cs::AutoHScroll));
    t.controls.push_back(label("beta =", 86, 66, 22, 8));
    t.controls.push_back(c(ids::QBeta, K::Edit, "", 110, 65, 38, 12, cs::AutoHScroll));
    t.controls.push_back(group("preference p:", 11, 82, 142, 26));
    t.controls.push_back(label("alpha =", 15, 94, 26, 8));
    t.controls.push_back(c(ids::PAlpha, K::Edit, "", 42, 93, 38, 12, cs::AutoHScroll));
    t.controls.push_back(label("beta =", 86, 94, 22, 8));
    t.controls.push_back(c(ids::PBeta, K::Edit, "", 110, 93, 38, 12, cs::AutoHScroll));
    t.controls.push_back(group("veto v:", 11, 110, 142, 26));
    t.controls.push_back(label("alpha =", 15, 122, 26, 8));
    t.controls.push_back(c(ids::VAlpha, K::Edit, "", 42, 121, 38, 12, cs::AutoHScroll));
    t.controls.push_back(label("beta =", 86, 122, 22, 8));
    t.controls.push_back(c(ids::VBeta, K::Edit, "", 110, 121, 38, 12, cs::AutoHScroll));
    t.controls.push_back(label("alpha - coefficient of growth", 15, 137, 96, 8));
    t.controls.push_back(label("beta  - constant", 15, 147, 70, 8));
    t.controls.push_back(c(ids::UseVeto, K::CheckBox, "Use veto", 166, 70, 44, 12));
    t.controls.push_back(c(IDOK, K::Button, "&OK", 170, 99, 50, 14));
    t.controls.push_back(c(IDCANCEL, K::Button, "&Cancel", 169, 119, 50, 14));
    t.controls.push_back(c(ids::Preview, K::Button, "&Alternatives", 169, 139, 50, 14, cs::Default));
    return t;
}

DialogTemplate levelOfConcordance() {
    namespace ids = idc::Level;
    DialogTemplate t = dialog(tpl::Level, "Level of concordance", 166, 64);
    t.controls.push_back(black(17, 36, 130, 24));
    t.controls.push_back(label("New value of the level:", 8, 16, 108, 8));
    t.controls.push_back(c(ids::Value, K::Edit, "", 119, 14, 38, 12, cs::AutoHScroll));
    t.controls.push_back(c(IDOK, K::Button, "&OK", 22, 41, 50, 14, cs::Default));
    t.controls.push_back(c(IDCANCEL, K::Button, "&Cancel", 92, 41, 50, 14));
    return t;
}

DialogTemplate evaluation() {
    namespace ids = idc::Evaluation;
    // Wide enough for its caption with a name of thirteen of the widest letters.
    DialogTemplate t = dialog(tpl::Evaluation, "Evaluation of alternatives according to criteron", 300, 124);
    t.fontFace = "";  // the system font
    // The headings move over their columns when the dialog is set up.
    t.controls.push_back(c(ids::Names, K::Static, "Alternatives:", 6, 2, 60, 9));
    t.controls.push_back(c(ids::G, K::Static, "g(a)", 90, 2, 16, 8));
    t.controls.push_back(c(ids::Q, K::Static, "q(a)", 135, 2, 16, 8));
    t.controls.push_back(c(ids::P, K::Static, "p(a)", 180, 2, 16, 8));
    t.controls.push_back(c(ids::V, K::Static, "v(a)", 225, 2, 16, 8));
    t.controls.push_back(c(ids::List, K::ListBox, "", 5, 14, 288, 89, cs::ColumnFont));
    t.controls.push_back(c(IDOK, K::Button, "&OK", 258, 106, 35, 12));
    return t;
}

DialogTemplate kernel() {
    namespace ids = idc::Kernel;
    DialogTemplate t = dialog(tpl::Kernel, "Kernel of the graph of outranking", 220, 142);
    t.controls.push_back(group("List of alternatives:", 6, 5, 150, 130));
    t.controls.push_back(c(ids::List, K::ListBox, "", 15, 18, 132, 105, kList | cs::ColumnFont));
    t.controls.push_back(label("No. of vertices:", 37, 122, 54, 8));
    t.controls.push_back(c(ids::Count, K::Static, "30", 94, 122, 27, 9, cs::Centre | cs::Border));
    t.controls.push_back(c(ids::Details, K::Button, "&Details", 162, 97, 50, 14));
    t.controls.push_back(c(IDOK, K::Button, "&OK", 162, 118, 50, 14));
    return t;
}

DialogTemplate kernelStructure() {
    namespace ids = idc::KernelStructure;
    DialogTemplate t = dialog(tpl::KernelStructure, "Structure of kernel", 234, 146);
    t.controls.push_back(label("Code:", 8, 10, 36, 8));
    t.controls.push_back(c(ids::Code, K::Static, "Text", 45, 9, 60, 10));
    t.controls.push_back(label("Type:", 8, 24, 26, 8));
    t.controls.push_back(c(ids::Type, K::Static, "Text", 45, 24, 60, 10));
    t.controls.push_back(group("List of alternatives:", 7, 40, 154, 100));
    t.controls.push_back(c(ids::Members, K::ListBox, "", 16, 61, 138, 72, cs::ColumnFont));
    t.controls.push_back(c(IDOK, K::Button, "&OK", 177, 125, 50, 14));
    return t;
}

DialogTemplate advanced() {
    namespace ids = idc::Advanced;
    DialogTemplate t = dialog(tpl::Advanced, "Advanced options", 168, 98);
    t.controls.push_back(black(18, 71, 129, 24));
    t.controls.push_back(c(-1, K::Static, "Max number of arcs checked for cutting a cycle (2..9)", 8, 11, 99, 20,
                           cs::WordWrap));
    t.controls.push_back(c(ids::Arcs, K::Edit, "", 130, 14, 28, 12, cs::AutoHScroll));
    t.controls.push_back(c(-1, K::Static, "Acceptable loss for cutting a smaller number of arcs:", 8, 41, 91, 20,
                           cs::WordWrap));
    t.controls.push_back(c(ids::Loss, K::Edit, "", 118, 46, 40, 12, cs::AutoHScroll));
    t.controls.push_back(c(IDOK, K::Button, "&OK", 23, 76, 50, 14, cs::Default));
    t.controls.push_back(c(IDCANCEL, K::Button, "&Cancel", 92, 76, 50, 14));
    return t;
}

DialogTemplate select() {
    namespace ids = idc::Select;
    DialogTemplate t = dialog(tpl::Select, "Select ...", 166, 116);
    static const struct {
        int id;
        const char* text;
        int y, w;
    } boxes[] = {
        {ids::InputData, "&Input Data", 9, 89},
        {ids::Concordance, "Matrix of &Concordance", 22, 92},
        {ids::Discordance, "Matrix of &Discordance", 35, 91},
        {ids::Robustness, "Matrix of &Robustness", 48, 87},
        {ids::Outranking, "Matrix of &Outanking", 60, 89},
        {ids::Graph, "&Graph of Outranking", 72, 101},
        {ids::ModifiedGraph, "&Modified Graph ", 84, 101},
        {ids::FinalGraph, "Kernel && &Final Graph", 96, 101},
    };
    for (const auto& b : boxes) t.controls.push_back(c(b.id, K::CheckBox, b.text, 10, b.y, b.w, 12));
    t.controls.push_back(c(IDOK, K::Button, "&OK", 108, 11, 50, 14, cs::Default));
    t.controls.push_back(c(IDCANCEL, K::Button, "&Cancel", 108, 31, 50, 14));
    return t;
}

DialogTemplate setToCompare() {
    namespace ids = idc::SetToCompare;
    // The drop-downs hold names of thirteen of the widest letters.
    DialogTemplate t = dialog(tpl::SetToCompare, "Select alternatives to compare", 222, 92);
    t.controls.push_back(black(48, 64, 125, 24));
    t.controls.push_back(label("Alternative 1:", 7, 6, 60, 8));
    t.controls.push_back(c(ids::First, K::ComboBox, "", 7, 18, 100, 45, cs::VScroll));
    t.controls.push_back(label("Alternative 2:", 115, 6, 60, 8));
    t.controls.push_back(c(ids::Second, K::ComboBox, "", 115, 18, 100, 45, cs::VScroll));
    t.controls.push_back(c(IDOK, K::Button, "&OK", 53, 69, 50, 14, cs::Default));
    t.controls.push_back(c(IDCANCEL, K::Button, "&Cancel", 118, 69, 50, 14));
    return t;
}

DialogTemplate compare() {
    namespace ids = idc::Compare;
    // Each list holds its whole lines: names of thirteen characters, and in Q-
    // a name cut to twelve with the partial concordance.
    DialogTemplate t = dialog(tpl::Compare, "Compare alternative 1 to alternative 2", 422, 146);
    t.controls.push_back(label("Alternative 1:", 10, 10, 52, 8));
    t.controls.push_back(c(ids::First, K::Static, "Action 1:", 60, 10, 113, 10));
    t.controls.push_back(label("Alternative 2:", 10, 24, 51, 8));
    t.controls.push_back(c(ids::Second, K::Static, "Action 1:", 60, 24, 112, 10));
    t.controls.push_back(c(IDOK, K::Button, "&OK", 358, 26, 50, 14));
    t.controls.push_back(group("List of criteria:", 7, 40, 408, 100));
    t.controls.push_back(group("concordant:", 11, 48, 318, 86));
    t.controls.push_back(group("veto:", 333, 48, 78, 86));
    static const struct {
        int id;
        const char* text;
        int lx, x, w;
    } lists[] = {
        {ids::QMinus, "Q-", 17, 16, 86}, {ids::I, "I", 109, 108, 68}, {ids::Q, "Q", 183, 182, 68},
        {ids::P, "P", 257, 256, 68},      {ids::PV, "PV", 339, 338, 68},
    };
    for (const auto& l : lists) {
        t.controls.push_back(label(l.text, l.lx, 56, 16, 8));
        t.controls.push_back(c(l.id, K::ListBox, "", l.x, 65, l.w, 72, cs::ColumnFont));
    }
    return t;
}

}  // namespace

void registerEditingTemplates() {
    registerDialogTemplate(listDialog(tpl::EditAlternatives, "Edit alternatives", "List of alternatives:", "No. of alternatives:",
                                      66, 87));
    registerDialogTemplate(modifyAlternative());
    registerDialogTemplate(modifyValue());
    registerDialogTemplate(listDialog(tpl::EditCriteria, "Edit criteria", "List of criteria:", "No. of criteria:", 60, 82));
    registerDialogTemplate(modifyCriteria());
    registerDialogTemplate(levelOfConcordance());
    registerDialogTemplate(evaluation());
    registerDialogTemplate(kernel());
    registerDialogTemplate(kernelStructure());
    registerDialogTemplate(advanced());
    registerDialogTemplate(select());
    registerDialogTemplate(setToCompare());
    registerDialogTemplate(compare());
}

}  // namespace kvis
