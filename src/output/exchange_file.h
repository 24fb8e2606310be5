#pragma once
// The exchange file handed to the external cycle-removal tool.
#include <string>
#include "engine/results.h"
#include "model/project.h"

namespace kvis {

inline constexpr const char* kExchangeFileName = "qolv.kvr";

// Robustness and outranking matrices, modified graph and kernel ("\n" breaks).
std::string exchangeText(const Project& p, const ResultsSet& r);

// Writes exchangeText with CR LF line breaks, atomically. Returns false with
// "Cannot create file '<path>'" in *error when it cannot be written.
bool writeExchangeFile(const std::string& path, const Project& p, const ResultsSet& r,
                       std::string* error = nullptr);

}  // namespace kvis
