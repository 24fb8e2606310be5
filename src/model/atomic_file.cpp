#include "model/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace kvis {

namespace {

namespace fs = std::filesystem;

// ---- The registry of live temporary files --------------------------------------
// A fixed table that a signal handler may read: a slot is 0 free, 1 being
// filled, 2 live. A path that does not fit is not registered (its file is
// still removed by its owner).
constexpr int kSlots = 64;
constexpr size_t kSlotBytes = 4096;

struct Slot {
    std::atomic<int> state{0};
    char path[kSlotBytes];
};
Slot gSlots[kSlots];

int registerTemporary(const std::string& path) {
    if (path.size() >= kSlotBytes) return -1;
    for (int i = 0; i < kSlots; ++i) {
        int expected = 0;
        if (gSlots[i].state.compare_exchange_strong(expected, 1)) {
            std::memcpy(gSlots[i].path, path.c_str(), path.size() + 1);
            gSlots[i].state.store(2);
            return i;
        }
    }
    return -1;
}

void unregisterTemporary(int& slot) {
    if (slot >= 0) gSlots[slot].state.store(0);
    slot = -1;
}

void (*gAfterSignal)(int) = nullptr;

extern "C" void onTerminatingSignal(int signal) {
    const int saved = errno;
    removeTemporaryFiles();
    if (gAfterSignal) {
        gAfterSignal(signal);
        errno = saved;
        return;
    }
    // Blocked while the handler runs, the signal ends the process as it returns.
    std::signal(signal, SIG_DFL);
    std::raise(signal);
    errno = saved;
}

// ---- Writing -----------------------------------------------------------------
long long gFailAfterBytes = -1;
long long gWrittenSinceHook = 0;

void setError(std::string* error, const std::string& what, int err) {
    if (error) *error = what + ": " + std::strerror(err);
}

// Writes everything or fails; the test hook simulates a full disk.
bool writeAll(int fd, const char* data, size_t size, int& err) {
    size_t done = 0;
    while (done < size) {
        size_t chunk = size - done;
        if (gFailAfterBytes >= 0) {
            if (gWrittenSinceHook >= gFailAfterBytes) {
                err = ENOSPC;
                return false;
            }
            chunk = std::min<size_t>(chunk, static_cast<size_t>(gFailAfterBytes - gWrittenSinceHook));
        }
        ssize_t w = ::write(fd, data + done, chunk);
        if (w < 0) {
            if (errno == EINTR) continue;
            err = errno;
            return false;
        }
        done += static_cast<size_t>(w);
        gWrittenSinceHook += w;
    }
    return true;
}

// The file a path finally names, every symbolic link followed (the last may
// dangle: the file it names is then created).
std::string followLinks(const std::string& path) {
    fs::path p(path);
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(p.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) break;
        std::error_code ec;
        const fs::path link = fs::read_symlink(p, ec);
        if (ec) break;
        p = link.is_absolute() ? link : p.parent_path() / link;
    }
    return p.string();
}

constexpr size_t kBufferBytes = 65536;
// ".NAME.kvis-tmp-XXXXXX" must still be a valid file name.
constexpr size_t kNameMax = 255;
constexpr const char* kTemporarySuffix = ".kvis-tmp-XXXXXX";

}  // namespace

void removeTemporaryFiles() {
    for (Slot& s : gSlots)
        if (s.state.load() == 2) ::unlink(s.path);
}

void installTemporaryFileCleanup(void (*then)(int signal)) {
    gAfterSignal = then;
    struct sigaction action {};
    action.sa_handler = onTerminatingSignal;
    sigemptyset(&action.sa_mask);
    sigaddset(&action.sa_mask, SIGINT);
    sigaddset(&action.sa_mask, SIGTERM);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGINT, &action, nullptr);
    ::sigaction(SIGTERM, &action, nullptr);
}

void setWriteFailureForTesting(long long afterBytes) {
    gFailAfterBytes = afterBytes;
    gWrittenSinceHook = 0;
}

bool sameFile(const std::string& a, const std::string& b) {
    struct stat sa {}, sb {};
    if (::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0)
        return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
    std::error_code ea, eb;
    const fs::path pa = fs::weakly_canonical(fs::absolute(a, ea), ea);
    const fs::path pb = fs::weakly_canonical(fs::absolute(b, eb), eb);
    return !ea && !eb && pa == pb;
}

AtomicFile::AtomicFile(std::string path) : path_(std::move(path)) {}

AtomicFile::~AtomicFile() {
    if (fd_ >= 0) ::close(fd_);
    if (!committed_) removeTemporary();
}

void AtomicFile::removeTemporary() {
    if (!direct_ && !tmp_.empty()) ::unlink(tmp_.c_str());
    unregisterTemporary(slot_);
}

bool AtomicFile::fail(std::string* error, const std::string& what, int err) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    removeTemporary();
    tmp_.clear();
    if (failedErrno_ == 0) failedErrno_ = err;
    setError(error, what, err);
    return false;
}

bool AtomicFile::create(std::string* error) {
    struct stat st {};
    const bool exists = ::stat(path_.c_str(), &st) == 0;
    if (exists && S_ISDIR(st.st_mode)) return fail(error, "Cannot write '" + path_ + "'", EISDIR);
    if (exists && !S_ISREG(st.st_mode)) {
        // A device, a FIFO or a socket (/dev/stdout into a pipe too) cannot be
        // replaced by a file: it gets the content itself.
        direct_ = true;
        fd_ = ::open(path_.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
        if (fd_ < 0) return fail(error, "Cannot write '" + path_ + "'", errno);
        tmp_ = target_ = path_;
        return true;
    }
    // The file the path names, whatever links lead to it; a link that dangles
    // names the file to create.
    char* real = exists ? ::realpath(path_.c_str(), nullptr) : nullptr;
    target_ = real ? std::string(real) : followLinks(path_);
    std::free(real);
    const fs::path target(target_);
    const fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
    std::string name = "." + target.filename().string();
    name.resize(std::min(name.size(), kNameMax - std::strlen(kTemporarySuffix)));
    std::string pattern = (folder / (name + kTemporarySuffix)).string();
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    fd_ = ::mkostemp(buffer.data(), O_CLOEXEC);
    if (fd_ < 0) return fail(error, "Cannot create a file in the folder of '" + path_ + "'", errno);
    tmp_ = buffer.data();
    slot_ = registerTemporary(tmp_);
    mode_t mode;
    if (exists) {
        // The owner first: a change of owner clears the set-user and set-group bits.
        if ((st.st_uid != ::geteuid() || st.st_gid != ::getegid()) && ::fchown(fd_, st.st_uid, st.st_gid) != 0)
            (void)!::fchown(fd_, static_cast<uid_t>(-1), st.st_gid);  // the group alone, where we belong to it
        mode = st.st_mode & 07777;
    } else {
        mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    if (::fchmod(fd_, mode) != 0) return fail(error, "Cannot set permissions of '" + tmp_ + "'", errno);
    return true;
}

void AtomicFile::flush() {
    if (buffer_.empty()) return;
    int err = 0;
    if (failedErrno_ == 0 && !writeAll(fd_, buffer_.data(), buffer_.size(), err)) failedErrno_ = err;
    buffer_.clear();
}

bool AtomicFile::write(std::string_view text) {
    if (!ok()) return false;
    if (!crlf_ && text.size() >= kBufferBytes) {  // a large text needs no copy
        flush();
        int err = 0;
        if (failedErrno_ == 0 && !writeAll(fd_, text.data(), text.size(), err)) failedErrno_ = err;
        return ok();
    }
    if (buffer_.capacity() < kBufferBytes) buffer_.reserve(kBufferBytes);
    while (!text.empty()) {
        size_t take = text.size();
        if (crlf_) {
            const size_t nl = text.find('\n');
            if (nl != std::string_view::npos) take = nl + 1;
        }
        buffer_.append(text.data(), crlf_ && text[take - 1] == '\n' ? take - 1 : take);
        if (crlf_ && text[take - 1] == '\n') buffer_ += "\r\n";
        text.remove_prefix(take);
        if (buffer_.size() >= kBufferBytes) flush();
    }
    return ok();
}

bool AtomicFile::finish(std::string* error) {
    if (fd_ < 0) return fail(error, "Cannot write '" + path_ + "'", failedErrno_ ? failedErrno_ : EBADF);
    flush();
    if (failedErrno_ != 0) return fail(error, "Cannot write '" + path_ + "'", failedErrno_);
    // A pipe or a terminal cannot be synchronised; only a file on a disk is.
    if (!direct_ && ::fsync(fd_) != 0) return fail(error, "Cannot write '" + path_ + "'", errno);
    const int closeResult = ::close(fd_);
    fd_ = -1;
    if (closeResult != 0) return fail(error, "Cannot write '" + path_ + "'", errno);
    return true;
}

bool AtomicFile::replace(std::string* error) {
    if (!direct_ && ::rename(tmp_.c_str(), target_.c_str()) != 0)
        return fail(error, "Cannot replace '" + path_ + "'", errno);
    unregisterTemporary(slot_);
    committed_ = true;
    return true;
}

bool AtomicFile::commit(std::string* error) { return finish(error) && replace(error); }

bool writeFileAtomically(const std::string& path, const std::string& content, std::string* error) {
    AtomicFile file(path);
    if (!file.create(error)) return false;
    file.write(content);
    return file.commit(error);
}

AtomicFile& AtomicFileSet::add(const std::string& path, bool crlf) {
    files_.push_back(std::make_unique<AtomicFile>(path));
    AtomicFile& file = *files_.back();
    file.setCrLf(crlf);
    const bool refused = std::any_of(protected_.begin(), protected_.end(),
                                     [&](const std::string& p) { return sameFile(path, p); });
    refused_.push_back(refused);
    if (!refused) file.create();
    return file;
}

bool AtomicFileSet::commit() {
    error_.clear();
    auto failed = [this](const AtomicFile& f) {
        if (!error_.empty()) error_ += "\n";
        error_ += "Cannot create file '" + f.path() + "'";
    };
    for (size_t i = 0; i < files_.size(); ++i)
        if (refused_[i] || !files_[i]->ok()) failed(*files_[i]);
    if (error_.empty())
        for (auto& f : files_)
            if (!f->finish()) failed(*f);
    // Nothing is renamed unless every file is complete.
    if (error_.empty())
        for (auto& f : files_)
            if (!f->replace()) failed(*f);
    files_.clear();  // what was not renamed is removed
    refused_.clear();
    return error_.empty();
}

}  // namespace kvis
