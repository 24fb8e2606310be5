#include "model/input_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace kvis {

namespace {

bool isBlank(char ch) {
    return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\v' || ch == '\f' || ch == '\r';
}

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

}  // namespace

InputRead readInputFile(const std::string& path, std::string& text, const InputLimits& limits) {
    text.clear();
    Descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY));
    if (fd.get() < 0) return InputRead::CannotOpen;
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0 || S_ISDIR(st.st_mode)) return InputRead::CannotOpen;
    // A regular file says its size; a device or a pipe is read until a limit stops it.
    if (S_ISREG(st.st_mode)) {
        if (static_cast<std::uint64_t>(st.st_size) > limits.fileBytes) return InputRead::TooLarge;
        text.reserve(static_cast<std::size_t>(st.st_size));
    }
    char buffer[65536];
    std::size_t run = 0;  // characters since the last blank
    for (;;) {
        const ssize_t got = ::read(fd.get(), buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR) continue;
            text.clear();
            return InputRead::CannotOpen;
        }
        if (got == 0) break;
        if (text.size() + static_cast<std::uint64_t>(got) > limits.fileBytes) {
            text.clear();
            return InputRead::TooLarge;
        }
        for (ssize_t i = 0; i < got; ++i) {
            if (isBlank(buffer[i])) {
                run = 0;
            } else if (++run > limits.tokenBytes) {
                text.clear();
                return InputRead::TooLarge;
            }
        }
        text.append(buffer, static_cast<std::size_t>(got));
    }
    return InputRead::Ok;
}

}  // namespace kvis
