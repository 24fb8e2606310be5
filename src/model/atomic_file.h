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

// The same for a writer that opens the file by name itself: it writes to
// temporaryPath(), and commit() puts the file in place. A file not committed
// is removed.
class AtomicFile {
public:
    explicit AtomicFile(std::string path);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Creates the temporary file beside the target (through a symbolic link,
    // beside the file it points to), with the target's permissions.
    bool create(std::string* error = nullptr);
    const std::string& temporaryPath() const { return tmp_; }
    int descriptor() const { return fd_; }
    // Flushes the temporary file to disk and renames it over the target.
    bool commit(std::string* error = nullptr);

private:
    bool fail(std::string* error, const std::string& what, int err);

    std::string path_;    // as given, for messages
    std::string target_;  // where the file goes
    std::string tmp_;
    int fd_ = -1;
    bool committed_ = false;
};

}  // namespace kvis

namespace kvis {
// Tests only: every later write fails with "no space left" once this many bytes
// are written (a negative value switches it off).
void setWriteFailureForTesting(long long afterBytes);
}  // namespace kvis
