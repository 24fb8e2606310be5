#pragma once
// The progress dialog of the long commands (template tpl::Progress): its
// caption, the texts of the stages, and the engine's progress shown in it.
#include "platform/background_work.h"

namespace kvis {

// Computations may stop at Cancel; Save results writes its files whole or not
// at all, so its dialog has no Cancel to offer.
enum class LongWork { Computations, SavingResults };
ProgressDialogSpec progressDialogSpec(LongWork work);

}  // namespace kvis
