#pragma once
// Reading a whole input file (a project, a sibling file, the settings) within
// bounds, so that a device, a pipe or a damaged file cannot take all memory.
#include <cstddef>
#include <cstdint>
#include <string>

namespace kvis {

struct InputLimits {
    std::uint64_t fileBytes = std::uint64_t{1} << 30;  // 1 GiB
    std::size_t tokenBytes = std::size_t{1} << 20;     // 1 MiB without white space
};

enum class InputRead { Ok, CannotOpen, TooLarge };

// The whole file into `text`. TooLarge: more bytes than the limit, or a run of
// more characters without white space (line ends included) than a token may have.
InputRead readInputFile(const std::string& path, std::string& text, const InputLimits& limits = {});

}  // namespace kvis
