#pragma once
// The settings file kvis.ini: method parameter defaults and the recent list.
#include <array>
#include <string>
#include "model/project.h"

namespace kvis {

// Private-profile primitives (sections in brackets, key=value lines, names
// matched case-insensitively, blanks trimmed). Writes are atomic.
std::string getProfileString(const std::string& section, const std::string& key,
                             const std::string& deflt, const std::string& file);
int getProfileInt(const std::string& section, const std::string& key, int deflt,
                  const std::string& file);
bool writeProfileString(const std::string& section, const std::string& key,
                        const std::string& value, const std::string& file);

// The settings file of a directory: directory + "/kvis.ini" ("kvis.ini" for "").
std::string settingsFilePath(const std::string& directory);
// Reads the three parameters (writing the defaults back when a value reads as
// 0, unless `writeDefaults` is false) and the four recent entries from
// "kvis.ini" in `directory`.
Parameters readSettings(const std::string& directory, std::array<std::string, 4>& recent,
                        bool writeDefaults = true);
// Writes keys "1".."4" of [history] into "kvis.ini" in the start directory.
bool writeRecent(const std::string& startDirectory, const std::array<std::string, 4>& recent);
// Swap-with-first insertion of a path into the recent list. A path holding a
// line break or a NUL is not inserted.
void insertRecent(std::array<std::string, 4>& recent, const std::string& path);
// "&1  %s" ... "&4  %s"; index 1 to 4 (1 is the most recent entry).
std::string recentMenuText(int index, const std::string& entry);

}  // namespace kvis
