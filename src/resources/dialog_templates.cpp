#include "resources/dialog_templates.h"

#include "platform/message_box.h"

namespace kvis {

namespace {

DialogTemplate aboutTemplate() {
    using K = ControlKind;
    DialogTemplate t;
    t.id = tpl::About;
    t.caption = "About program...";
    t.width = 194;
    t.height = 163;
    t.controls = {
        {-1, K::WhiteFrame, "", 0, 0, 194, 163, 0},
        {-1, K::BlackFrame, "", 8, 8, 178, 50, 0},
        {-1, K::Icon, "ICN_KVIS", 16, 17, 20, 20, 0},
        {idc::About::Version, K::Static, "KVIS    v 3.0", 44, 16, 136, 10, cs::Centre},
        {idc::About::Method, K::Static, "Implementation of the Kavorin Is method", 44, 30, 136, 20,
         cs::Centre | cs::WordWrap},
        {idc::About::WrittenBy, K::Static, "Written by", 8, 70, 178, 9, cs::Centre},
        {idc::About::Authors, K::Static, "The KVIS developers", 8, 82, 178, 9, cs::Centre},
        {idc::About::Years, K::Static, "", 8, 96, 178, 9, cs::Centre},  // filled at run time
        {idc::About::Institution, K::Static, "The KVIS project", 8, 108, 178, 9, cs::Centre},
        {-1, K::BlackFrame, "", 64, 130, 66, 24, 0},
        {IDOK, K::Button, "OK", 72, 135, 50, 14, cs::Default},
    };
    return t;
}

// Holds the longest stage text, "Computing the matrices...", whole.
DialogTemplate progressTemplate() {
    using K = ControlKind;
    DialogTemplate t;
    t.id = tpl::Progress;
    t.caption = "Computations";
    t.width = 160;
    t.height = 58;
    t.controls = {
        {-1, K::WhiteFrame, "", 2, 2, 156, 54, 0},
        {idc::Progress::Stage, K::Static, "", 8, 10, 144, 10, cs::Centre},
        {-1, K::BlackFrame, "", 47, 28, 66, 24, 0},
        {IDCANCEL, K::Button, "Cancel", 55, 33, 50, 14, cs::Default},
    };
    return t;
}

}  // namespace

void registerProgramTemplates() {
    registerDialogTemplate(aboutTemplate());
    registerDialogTemplate(progressTemplate());
    registerEditingTemplates();
}

}  // namespace kvis
