#include "model/settings.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstddef>
#include <string_view>
#include <utility>
#include <vector>

#include "model/atomic_file.h"
#include "model/input_file.h"
#include "model/numfmt.h"

namespace kvis {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v'; }

std::string trim(std::string_view s) {
    size_t b = 0, e = s.size();
    while (b < e && isBlank(s[b])) ++b;
    while (e > b && isBlank(s[e - 1])) --e;
    return std::string(s.substr(b, e - b));
}

std::string trimRight(std::string s) {
    while (!s.empty() && isBlank(s.back())) s.pop_back();
    return s;
}

char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i])) return false;
    return true;
}

// One physical line of the file, kept byte for byte (without its "\n") so
// that a write changes nothing but the key it sets.
struct Line {
    std::string raw;
    std::string text() const {  // without a trailing CR
        return (!raw.empty() && raw.back() == '\r') ? raw.substr(0, raw.size() - 1) : raw;
    }
    // Section name when this is a "[name]" line.
    bool section(std::string& name) const {
        std::string t = trim(text());
        if (t.size() < 2 || t.front() != '[') return false;
        size_t close = t.find(']');
        if (close == std::string::npos) return false;
        name = trim(std::string_view(t).substr(1, close - 1));
        return true;
    }
    // Key and value when this is a "key=value" line.
    bool entry(std::string& key, std::string& value) const {
        std::string t = text();
        std::string lead = trim(t);
        if (lead.empty() || lead.front() == ';') return false;
        size_t eq = t.find('=');
        if (eq == std::string::npos) return false;
        key = trim(std::string_view(t).substr(0, eq));
        value = trim(std::string_view(t).substr(eq + 1));
        return true;
    }
};

struct IniFile {
    std::vector<Line> lines;
    bool crlf = false;       // line breaks of the existing file
    bool finalBreak = true;  // the last line ended with a break
};

enum class IniRead { Ok, Missing, Unreadable };

IniRead loadIni(const std::string& file, IniFile& ini) {
    std::string all;
    if (readInputFile(file, all) != InputRead::Ok) {
        struct stat st {};
        return ::stat(file.c_str(), &st) != 0 && errno == ENOENT ? IniRead::Missing : IniRead::Unreadable;
    }
    size_t pos = 0;
    while (pos < all.size()) {
        size_t nl = all.find('\n', pos);
        if (nl == std::string::npos) {
            ini.lines.push_back({all.substr(pos)});
            ini.finalBreak = false;
            break;
        }
        ini.lines.push_back({all.substr(pos, nl - pos)});
        pos = nl + 1;
    }
    ini.crlf = !ini.lines.empty() && !ini.lines.front().raw.empty() && ini.lines.front().raw.back() == '\r';
    return IniRead::Ok;
}

// The value of the key in the first section of that name.
bool findValue(const IniFile& ini, const std::string& section, const std::string& key, std::string& value) {
    bool inSection = false;
    for (const Line& l : ini.lines) {
        std::string name, k, v;
        if (l.section(name)) {
            if (inSection) return false;  // the first matching section is the one read
            inSection = sameName(name, section);
        } else if (inSection && l.entry(k, v) && sameName(k, key)) {
            value = v;
            return true;
        }
    }
    return false;
}

}  // namespace

std::string getProfileString(const std::string& section, const std::string& key,
                             const std::string& deflt, const std::string& file) {
    IniFile ini;
    std::string value;
    if (loadIni(file, ini) == IniRead::Ok && findValue(ini, section, key, value)) return value;
    // Trailing blanks of the default are stripped: a default of " " reads as "".
    return trimRight(deflt);
}

int getProfileInt(const std::string& section, const std::string& key, int deflt,
                  const std::string& file) {
    IniFile ini;
    std::string value;
    if (loadIni(file, ini) != IniRead::Ok || !findValue(ini, section, key, value) || value.empty()) return deflt;
    return readInt(value);
}

namespace {

// In kvis.ini a line break would end an entry and begin lines, even sections,
// of its own; a NUL would cut it. The recent list never holds such a path.
bool fitsRecentList(const std::string& path) {
    return path.find_first_of(std::string_view("\n\r\0", 3)) == std::string::npos;
}

// Sets several keys of one section in one atomic rewrite.
bool writeProfileStrings(const std::string& section,
                         const std::vector<std::pair<std::string, std::string>>& entries,
                         const std::string& file) {
    IniFile ini;
    // A missing file is created; one that cannot be read is not replaced.
    if (loadIni(file, ini) == IniRead::Unreadable) return false;
    const std::string cr = ini.crlf ? "\r" : "";

    for (const auto& [key, value] : entries) {
        // Locate the section and, inside it, the key and the last non-empty line.
        long sectionLine = -1, keyLine = -1, lastContent = -1;
        for (size_t i = 0; i < ini.lines.size(); ++i) {
            std::string name, k, v;
            if (ini.lines[i].section(name)) {
                if (sectionLine >= 0) break;
                if (sameName(name, section)) sectionLine = lastContent = static_cast<long>(i);
            } else if (sectionLine >= 0) {
                if (!trim(ini.lines[i].text()).empty()) lastContent = static_cast<long>(i);
                if (keyLine < 0 && ini.lines[i].entry(k, v) && sameName(k, key)) keyLine = static_cast<long>(i);
            }
        }
        if (keyLine >= 0) {
            std::string t = ini.lines[keyLine].text();
            std::string oldKey = trim(std::string_view(t).substr(0, t.find('=')));
            ini.lines[keyLine].raw = oldKey + "=" + value + cr;
        } else if (sectionLine >= 0) {
            if (static_cast<size_t>(lastContent) + 1 == ini.lines.size()) ini.finalBreak = true;
            ini.lines.insert(ini.lines.begin() + lastContent + 1, Line{key + "=" + value + cr});
        } else {
            ini.finalBreak = true;
            ini.lines.push_back(Line{"[" + section + "]" + cr});
            ini.lines.push_back(Line{key + "=" + value + cr});
        }
    }

    std::string out;
    for (size_t i = 0; i < ini.lines.size(); ++i) {
        out += ini.lines[i].raw;
        if (i + 1 < ini.lines.size() || ini.finalBreak) out += "\n";
    }
    return writeFileAtomically(file, out);
}

// The parameters are read as texts of at most 19 characters.
double readReal(const std::string& section, const std::string& key, const std::string& file) {
    std::string text = getProfileString(section, key, " ", file);
    if (text.size() > 19) text.resize(19);
    return readDouble(text);
}

}  // namespace

std::string settingsFilePath(const std::string& directory) {
    if (directory.empty()) return "kvis.ini";
    if (directory.back() == '/') return directory + "kvis.ini";
    return directory + "/kvis.ini";
}

bool writeProfileString(const std::string& section, const std::string& key,
                        const std::string& value, const std::string& file) {
    return writeProfileStrings(section, {{key, value}}, file);
}

Parameters readSettings(const std::string& directory, std::array<std::string, 4>& recent, bool writeDefaults) {
    const std::string file = settingsFilePath(directory);
    Parameters p;
    // A value that reads as 0 (absent, empty, not a number or 0) gets its default,
    // which is also written back so that the file shows it next time.
    auto fallBack = [&](const char* section, const char* key, const char* text) {
        if (writeDefaults) writeProfileString(section, key, text, file);
    };
    p.levelOfConcordance = readReal("parameters", "LevelOfConcordance", file);
    if (p.levelOfConcordance == 0) {
        fallBack("parameters", "LevelOfConcordance", "0.66");
        p.levelOfConcordance = 0.66;
    }
    p.maxArcsToCut = getProfileInt("extended", "Arcs2check4cut", 0, file);
    if (p.maxArcsToCut == 0) {
        fallBack("extended", "Arcs2check4cut", "2");
        p.maxArcsToCut = 2;
    }
    p.acceptableLoss = readReal("extended", "AcceptLoss4cut", file);
    if (p.acceptableLoss == 0) {
        fallBack("extended", "AcceptLoss4cut", "0.1");
        p.acceptableLoss = 0.1;
    }
    for (int i = 0; i < 4; ++i) {
        recent[i] = getProfileString("history", format("%d", i + 1), " ", file);
        if (!fitsRecentList(recent[i])) recent[i].clear();
    }
    return p;
}

bool writeRecent(const std::string& startDirectory, const std::array<std::string, 4>& recent) {
    std::vector<std::pair<std::string, std::string>> entries;
    for (int i = 0; i < 4; ++i) entries.emplace_back(format("%d", i + 1), recent[i]);
    return writeProfileStrings("history", entries, settingsFilePath(startDirectory));
}

void insertRecent(std::array<std::string, 4>& recent, const std::string& path) {
    if (!fitsRecentList(path)) return;
    // Paths carry no drive on this platform, so the current directory is kept.
    int match = -1;
    for (int i = 0; i < 4; ++i)
        if (recent[i] == path) match = i;  // the last matching entry counts
    if (match < 0) {
        for (int i = 3; i > 0; --i) recent[i] = recent[i - 1];
    } else {
        recent[match] = recent[0];  // a swap with the first, not a move to the front
    }
    recent[0] = path;
}

std::string recentMenuText(int index, const std::string& entry) {
    return format("&%d  %s", index, entry.c_str());
}

}  // namespace kvis
