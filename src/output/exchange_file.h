#pragma once
// The exchange file handed to the external cycle-removal tool.
#include <cstdint>
#include <string>
#include "engine/results.h"
#include "model/project.h"

namespace kvis {

inline constexpr const char* kExchangeFileName = "qolv.kvr";

// Robustness and outranking matrices, modified graph and kernel ("\n" breaks).
std::string exchangeText(const Project& p, const ResultsSet& r);

// The memory the writing takes beyond the results.
std::uint64_t exchangeOutputBytes(const Project& p);

// Writes exchangeText with CR LF line breaks, atomically, streamed a chunk at
// a time. Returns false with
// "Cannot create file '<path>'" in *error when it cannot be written, or would
// be `projectFile` (never written over).
bool writeExchangeFile(const std::string& path, const Project& p, const ResultsSet& r,
                       std::string* error = nullptr, const std::string& projectFile = {});

}  // namespace kvis
