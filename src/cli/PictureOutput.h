#pragma once
// What render and thumbnail share: the picture written as a PNG file or to standard output.

#include <string>

#include "cli/OutputFiles.h"
#include "picture/Picture.h"

namespace quarvel_cli {

// Writes `picture` as PNG to `output`, "-" for standard output, by the rule of outputs
// (OutputFiles.h); a file is replaced safely (a new file renamed into place), so on any
// failure it is left as it was, or not made.
void WritePng(const quarvel::Picture& picture, const std::string& output, const OutputRule& rule);

}  // namespace quarvel_cli
