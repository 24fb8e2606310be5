#pragma once
// The program's dialog templates as data.
#include "platform/dialog_template.h"

namespace kvis {

// Registers every template of the program (About and the editing dialogs).
void registerProgramTemplates();

// The templates of the editing and inspection dialogs (editing_templates.cpp).
void registerEditingTemplates();

// Template ids.
inline constexpr int kTemplateAbout = 108;

}  // namespace kvis
