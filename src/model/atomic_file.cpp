#include "model/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <algorithm>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace kvis {

namespace {

long long gFailAfterBytes = -1;

void setError(std::string* error, const std::string& what, int err) {
    if (error) *error = what + ": " + std::strerror(err);
}

// Writes everything or fails; the test hook simulates a full disk.
bool writeAll(int fd, const char* data, size_t size, int& err) {
    size_t done = 0;
    while (done < size) {
        size_t chunk = size - done;
        if (gFailAfterBytes >= 0) {
            if (static_cast<long long>(done) >= gFailAfterBytes) {
                err = ENOSPC;
                return false;
            }
            chunk = std::min<size_t>(chunk, static_cast<size_t>(gFailAfterBytes) - done);
        }
        ssize_t w = ::write(fd, data + done, chunk);
        if (w < 0) {
            if (errno == EINTR) continue;
            err = errno;
            return false;
        }
        done += static_cast<size_t>(w);
    }
    return true;
}

}  // namespace

void setWriteFailureForTesting(long long afterBytes) { gFailAfterBytes = afterBytes; }

AtomicFile::AtomicFile(std::string path) : path_(std::move(path)) {}

AtomicFile::~AtomicFile() {
    if (fd_ >= 0) ::close(fd_);
    if (!tmp_.empty() && !committed_) ::unlink(tmp_.c_str());
}

bool AtomicFile::fail(std::string* error, const std::string& what, int err) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    if (!tmp_.empty()) ::unlink(tmp_.c_str());
    tmp_.clear();
    setError(error, what, err);
    return false;
}

bool AtomicFile::create(std::string* error) {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::path target(path_);
    // Saving through a symbolic link updates the file it points to, not the link.
    if (fs::is_symlink(fs::symlink_status(target, ec))) {
        fs::path resolved = fs::weakly_canonical(target, ec);
        if (!ec) target = resolved;
    }
    if (fs::is_directory(target, ec)) {
        setError(error, "Cannot write '" + path_ + "'", EISDIR);
        return false;
    }
    target_ = target.string();
    fs::path folder = target.parent_path();
    std::string pattern = (folder.empty() ? fs::path(".") : folder).string() + "/." +
                          target.filename().string() + ".tmpXXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    fd_ = ::mkstemp(name.data());
    if (fd_ < 0) {
        setError(error, "Cannot create a file in the folder of '" + path_ + "'", errno);
        return false;
    }
    tmp_ = name.data();
    // Keep the permissions of the file being replaced; a new file gets the usual ones.
    struct stat st {};
    mode_t mode;
    if (::stat(target_.c_str(), &st) == 0) {
        mode = st.st_mode & 07777;
    } else {
        mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    if (::fchmod(fd_, mode) != 0) return fail(error, "Cannot set permissions of '" + tmp_ + "'", errno);
    return true;
}

bool AtomicFile::commit(std::string* error) {
    if (fd_ < 0) return fail(error, "Cannot write '" + path_ + "'", EBADF);
    if (::fsync(fd_) != 0) return fail(error, "Cannot write '" + path_ + "'", errno);
    int closeResult = ::close(fd_);
    fd_ = -1;
    if (closeResult != 0) return fail(error, "Cannot write '" + path_ + "'", errno);
    if (::rename(tmp_.c_str(), target_.c_str()) != 0) return fail(error, "Cannot replace '" + path_ + "'", errno);
    committed_ = true;
    return true;
}

bool writeFileAtomically(const std::string& path, const std::string& content, std::string* error) {
    AtomicFile file(path);
    if (!file.create(error)) return false;
    int err = 0;
    if (!writeAll(file.descriptor(), content.data(), content.size(), err)) {
        setError(error, "Cannot write '" + path + "'", err);
        return false;
    }
    return file.commit(error);
}

}  // namespace kvis
