#pragma once
// The progress dialog of the long commands (template tpl::Progress): its
// caption, the texts of the stages, and the engine's progress shown in it.
#include "engine/progress.h"
#include "platform/background_work.h"

namespace kvis {

// Computations may stop at Cancel; Save results writes its files whole or not
// at all, so its dialog has no Cancel to offer.
enum class LongWork { Computations, SavingResults };
ProgressDialogSetup progressDialogSetup(LongWork work);

// The engine's progress shown in such a dialog: a stage shows its text (the
// texts stand in the order of ComputeStage), Cancel stops the engine.
// Made and called on the worker thread.
class DialogProgress : public ComputeProgress {
public:
    explicit DialogProgress(TProgress& dialog) : dialog_(dialog) {}
    void stage(ComputeStage s) override { dialog_.stage(static_cast<int>(s)); }
    bool cancelRequested() override { return dialog_.cancelRequested(); }

private:
    TProgress& dialog_;
};

}  // namespace kvis
