#include "dialogs/progress_dialog.h"

#include "resources/dialog_templates.h"

namespace kvis {

ProgressDialogSetup progressDialogSetup(LongWork work) {
    ProgressDialogSetup setup;
    setup.templateId = tpl::Progress;
    setup.stageControl = idc::Progress::Stage;
    // In the order of the engine's stages.
    setup.stageTexts = {QStringLiteral("Computing the matrices..."), QStringLiteral("Merging cycles..."),
                        QStringLiteral("Cutting cycles..."), QStringLiteral("Finding the kernel..."),
                        QStringLiteral("Writing the results...")};
    if (work == LongWork::SavingResults) setup.caption = QStringLiteral("Saving results");
    return setup;
}

}  // namespace kvis
