#include "app/workspace.h"

namespace kvis {

void Workspace::closeAllViews() {
    if (closeAllHook) closeAllHook();
    doc.openViewsMask = 0;
}

Workspace& workspace() {
    static Workspace w;
    return w;
}

}  // namespace kvis
