#pragma once
// Outputs of export and import: written safely or to standard output.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace quarvel_cli {

// Writes `bytes` to OUT, "-" for standard output; a file is replaced safely, as the editor
// saves, and is never one of `inputs`.
void WriteOutput(const std::string& out, std::span<const std::uint8_t> bytes, const std::vector<std::string>& inputs);

}  // namespace quarvel_cli
