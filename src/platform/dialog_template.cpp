#include "platform/dialog_template.h"

#include <map>

namespace kvis {

const ControlTemplate* DialogTemplate::control(int controlId) const {
    for (const auto& c : controls)
        if (c.id == controlId) return &c;
    return nullptr;
}

namespace {
std::map<int, DialogTemplate>& registry() {
    static std::map<int, DialogTemplate> r;
    return r;
}
}  // namespace

void registerDialogTemplate(const DialogTemplate& t) { registry()[t.id] = t; }

const DialogTemplate* findDialogTemplate(int id) {
    auto it = registry().find(id);
    return it == registry().end() ? nullptr : &it->second;
}

}  // namespace kvis
