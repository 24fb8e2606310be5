#pragma once
// A text streamed into its file: it goes out whenever a chunk of it is ready,
// so a file is never held whole; without a file it all stays in `text` (the
// whole text as one string, for printing and tests).
#include <string>

#include "engine/progress.h"
#include "model/atomic_file.h"

namespace kvis {

struct TextSink {
    std::string text;
    AtomicFile* file = nullptr;
    ComputeProgress* progress = nullptr;  // polled as each chunk goes out
    void drain() {
        if (file && text.size() >= (1u << 20)) {
            checkCancel(progress);
            file->write(text);
            text.clear();
        }
    }
    void finish() {
        if (file) {
            file->write(text);
            text.clear();
        }
    }
};

}  // namespace kvis
