#include "dialogs/progress_dialog.h"

#include "resources/dialog_templates.h"

namespace kvis {

ProgressDialogSpec progressDialogSpec(LongWork work) {
    ProgressDialogSpec spec;
    spec.templateId = tpl::Progress;
    spec.stageControl = idc::Progress::Stage;
    // In the order of the engine's stages.
    spec.stageTexts = {QStringLiteral("Computing the matrices..."), QStringLiteral("Merging cycles..."),
                       QStringLiteral("Cutting cycles..."), QStringLiteral("Finding the kernel..."),
                       QStringLiteral("Writing the results...")};
    if (work == LongWork::SavingResults) {
        spec.caption = QStringLiteral("Saving results");
        spec.cancellable = false;
    }
    return spec;
}

}  // namespace kvis
