#pragma once
// Writing files whole or not at all. The content goes to a temporary file
// beside the target, named ".NAME.kvis-tmp-XXXXXX" so that a person knows it,
// and is renamed over the target only when complete; a file not committed is
// removed, by its destructor, or by the signal handler when the process is
// interrupted (installTemporaryFileCleanup).
//
// The target: a symbolic link is written through to the file it points to
// (the link stays); a device, FIFO or socket is written directly, never
// replaced; a replaced regular file keeps its permission bits, and its owner
// and group where the process may set them.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kvis {

// Returns false (with a reason in *error when given) when the folder cannot be
// written, the disk is full, or the rename fails. The target is then unchanged.
bool writeFileAtomically(const std::string& path, const std::string& content,
                         std::string* error = nullptr);

// True when both paths name one file: the same device and inode, or, while one
// does not exist, the same absolute path once symbolic links are followed.
bool sameFile(const std::string& a, const std::string& b);

// One file: written through write() (buffered, so a writer may stream), or by
// name at temporaryPath() by a writer that opens the file itself.
class AtomicFile {
public:
    explicit AtomicFile(std::string path);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Creates the temporary file beside the target (for a device or a FIFO,
    // opens the target itself).
    bool create(std::string* error = nullptr);
    // Where a writer by name writes: the temporary file, or the target itself
    // when that is written directly.
    const std::string& temporaryPath() const { return tmp_; }
    int descriptor() const { return fd_; }
    const std::string& path() const { return path_; }

    // With CR LF, every "\n" written goes out as "\r\n".
    void setCrLf(bool crlf) { crlf_ = crlf; }
    // Appends to the file; false once anything failed (the failure stays).
    bool write(std::string_view text);
    bool ok() const { return fd_ >= 0 && failedErrno_ == 0; }

    // Flushes the temporary file to disk and renames it over the target.
    bool commit(std::string* error = nullptr);
    // commit() in two steps, for a set of files: finish() writes everything
    // out and closes the file, replace() renames it into place.
    bool finish(std::string* error = nullptr);
    bool replace(std::string* error = nullptr);

private:
    bool fail(std::string* error, const std::string& what, int err);
    void flush();
    void removeTemporary();

    std::string path_;    // as given, for messages
    std::string target_;  // where the file goes
    std::string tmp_;
    std::string buffer_;
    int fd_ = -1;
    int failedErrno_ = 0;
    int slot_ = -1;       // in the registry of temporary files
    bool direct_ = false;  // the target itself is written
    bool crlf_ = false;
    bool committed_ = false;
};

// Files written as one unit, such as a report and its side files: every file
// goes to a temporary file first; only when all were created and written are
// they renamed into place, in the order they were added (so add the main file
// last); on any failure, or when the set is destroyed uncommitted (an
// exception, a cancelled write), every temporary file is removed and no target
// changes. Writers stream into the files that add() returns.
class AtomicFileSet {
public:
    AtomicFileSet() = default;
    AtomicFileSet(const AtomicFileSet&) = delete;
    AtomicFileSet& operator=(const AtomicFileSet&) = delete;

    // A file that must never be written over, such as the project being read:
    // a target that is the same file fails without being touched.
    void protect(std::string path) { protected_.push_back(std::move(path)); }
    // The file for `path`, already created; one that failed takes writes and
    // drops them, and makes commit() fail.
    AtomicFile& add(const std::string& path, bool crlf = false);
    bool commit();
    // After a failed commit: "Cannot create file '<path>'", one line per file
    // that could not be created or written, in the order added.
    const std::string& error() const { return error_; }

private:
    std::vector<std::string> protected_;
    std::vector<std::unique_ptr<AtomicFile>> files_;
    std::vector<bool> refused_;
    std::string error_;
};

// Installs the handler of SIGINT and SIGTERM, the one place that does. It
// removes every temporary file still alive (async-signal-safe: unlink over a
// fixed table), then calls `then` when given and returns (a caller that
// cancels its work on a signal passes it; it must be async-signal-safe too),
// or else ends the process by the same signal, so a shell sees 130 or 143.
void installTemporaryFileCleanup(void (*then)(int signal) = nullptr);
// The removal itself, async-signal-safe, for a handler of the caller's own.
void removeTemporaryFiles();

// Tests only: every write fails with "no space left" once this many bytes
// in all were written after the call (a negative value switches it off).
void setWriteFailureForTesting(long long afterBytes);

}  // namespace kvis
