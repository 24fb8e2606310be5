#pragma once
// Import and export of the sibling program's project format (*.txt).
#include <string>
#include <string_view>
#include "model/project.h"

namespace kvis {

// The one message of every failed import.
inline constexpr const char* kImportFailureMessage = "It is not an Kavorin III/IV project file";

struct ImportResult {
    bool ok = false;
    int m = 0;  // criteria
    int n = 0;  // alternatives
    std::string message;  // kImportFailureMessage on failure
};

// Reads the whole file from its beginning. With countsOnly the structure is
// checked and only m and n are returned; `p` is not touched. Otherwise, on
// success, the criteria, alternatives, evaluations, evaluation texts ("%g"),
// column formats and alternativeNameWidth of `p` are replaced (the three
// parameters are left to the caller). On failure `p` is unchanged.
// Files above 1 GiB or with a token above 1 MiB, and counts a project file
// cannot hold (none, or more than 10,000,000 evaluations), fail.
ImportResult importProject(const std::string& path, bool countsOnly, Project& p);
// The same from the text of a file.
ImportResult importProjectText(std::string_view text, bool countsOnly, Project& p);

// Writes the project in the sibling format (version 3), atomically. Returns
// false with "Cannot create file '<path>'" in *error when it cannot be written.
bool exportProject(const std::string& path, const Project& p, std::string* error = nullptr);
// The text exportProject writes.
std::string exportText(const Project& p);

// Export text of a real number: "%f", then trailing zeros and a trailing point
// removed (the first character is always kept).
std::string exportNumber(double value);

}  // namespace kvis
