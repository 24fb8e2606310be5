#pragma once
// Writing a file so that an existing file is never truncated or half-written:
// the content goes to a temporary file in the same folder, renamed over the
// target only when complete.
#include <string>

namespace kvis {

// Returns false (with a reason in *error when given) when the folder cannot be
// written, the disk is full, or the rename fails. The target is then unchanged.
bool writeFileAtomically(const std::string& path, const std::string& content,
                         std::string* error = nullptr);

}  // namespace kvis

namespace kvis {
// Tests only: every later write fails with "no space left" once this many bytes
// are written (a negative value switches it off).
void setWriteFailureForTesting(long long afterBytes);
}  // namespace kvis
