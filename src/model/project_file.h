#pragma once
// The project file (*.kvs): keyword sections of whitespace-separated tokens.
#include <string>
#include <string_view>
#include "model/project.h"

namespace kvis {

struct LoadResult {
    bool ok = false;
    int testMode = 0;
    // On failure: the section message, e.g. "'weights'", or for a file that
    // cannot be opened "Cannot open file '<path>'".
    std::string message;
    bool cannotOpen = false;
};

// Reads the file into a fresh Project; on success replaces `p` (keeping its
// maxArcsToCut and acceptableLoss), on failure leaves `p` exactly as it was.
// A file above 1 GiB, or with a token above 1 MiB, is not a project file.
LoadResult loadProject(const std::string& path, Project& p);
// The same from the text of a file.
LoadResult parseProject(std::string_view text, Project& p);

// Writes atomically (temporary file in the same folder, then rename).
// Returns false and leaves any existing file untouched when it cannot write.
bool writeProject(const std::string& path, const Project& p, std::string* error = nullptr);
// The text writeProject writes.
std::string projectText(const Project& p);

// The text of the failure message box of a load: "Missing section: " + message
// + ".\nDo you want to run editor ?", caption "Error opening project '" + path + "'".
std::string loadFailureText(const LoadResult& r);
std::string loadFailureCaption(const std::string& path);
// The same on a command line, in one text and without the offer of an editor.
std::string loadFailureReport(const std::string& path, const LoadResult& r);

}  // namespace kvis
