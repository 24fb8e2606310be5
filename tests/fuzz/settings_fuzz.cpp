// The settings file on any text: reading it writes the defaults it lacked, and
// reading again gives the same; a recent list and a key written are read back.
#include <fuzzer/FuzzedDataProvider.h>
#include <unistd.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "fuzz_check.h"
#include "model/settings.h"

namespace {

using namespace kvis;
namespace fs = std::filesystem;

const fs::path& folder() {
    static const fs::path dir = [] {
        const fs::path base = fs::exists("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
        fs::path d = base / ("kvis_settings_fuzz_" + std::to_string(::getpid()));
        fs::create_directories(d);
        return d;
    }();
    return dir;
}

struct RemoveFolder {
    ~RemoveFolder() {
        std::error_code ec;
        fs::remove_all(folder(), ec);
    }
} removeFolder;

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v'; }

std::string trim(const std::string& s) {
    size_t b = 0, e = s.size();
    while (b < e && isBlank(s[b])) ++b;
    while (e > b && isBlank(s[e - 1])) --e;
    return s.substr(b, e - b);
}

bool has(const std::string& s, const char* chars, size_t count) {
    return s.find_first_of(std::string_view(chars, count)) != std::string::npos;
}

// A name the file can hold as written: one line, already trimmed, and not
// taken for a section, a comment or a key with its value.
bool plainName(const std::string& s, bool key) {
    if (s.empty() || trim(s) != s || has(s, "\n\r\0", 3)) return false;
    if (s.front() == '[' || s.front() == ';') return false;
    return key ? s.find('=') == std::string::npos : s.find(']') == std::string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const std::string path = in.ConsumeRandomLengthString(80);
    const std::string section = in.ConsumeRandomLengthString(16);
    const std::string key = in.ConsumeRandomLengthString(16);
    const std::string value = in.ConsumeRandomLengthString(40);
    const std::string ini = in.ConsumeRemainingBytesAsString();
    const std::string dir = folder().string();
    const std::string file = settingsFilePath(dir);
    std::ofstream(file, std::ios::binary | std::ios::trunc) << ini;

    std::array<std::string, 4> recent, again;
    const Parameters first = readSettings(dir, recent, true);
    FUZZ_CHECK(first.levelOfConcordance != 0 && first.maxArcsToCut != 0 && first.acceptableLoss != 0);
    const Parameters second = readSettings(dir, again, false);
    FUZZ_CHECK(second.levelOfConcordance == first.levelOfConcordance);
    FUZZ_CHECK(second.maxArcsToCut == first.maxArcsToCut);
    FUZZ_CHECK(second.acceptableLoss == first.acceptableLoss);
    FUZZ_CHECK(again == recent);

    insertRecent(recent, path);
    for (const std::string& entry : recent) FUZZ_CHECK(!has(entry, "\n\r\0", 3));
    FUZZ_CHECK(writeRecent(dir, recent));
    readSettings(dir, again, false);
    for (size_t i = 0; i < recent.size(); ++i) FUZZ_CHECK(again[i] == trim(recent[i]));

    if (plainName(section, false) && plainName(key, true) && !has(value, "\n\r\0", 3)) {
        FUZZ_CHECK(writeProfileString(section, key, value, file));
        FUZZ_CHECK(getProfileString(section, key, "?", file) == trim(value));
    }
    return 0;
}
