#include "cli/PictureOutput.h"

#include <cstdint>
#include <span>
#include <stdexcept>
#include <vector>

#include "cli/CliSupport.h"
#include "cli/SetFiles.h"
#include "cli/StandardOutput.h"
#include "files/SystemFiles.h"
#include "picture/PngFile.h"

namespace quarvel_cli {

void WritePng(const quarvel::Picture& picture, const std::string& output, const OutputRule& rule) {
  std::vector<std::uint8_t> png;
  try {
    png = quarvel::EncodePng(picture);
  } catch (const std::runtime_error&) {
    throw CliError(output, "PNG encoding failed");
  }
  WriteOutput(output, png, rule);
}

}  // namespace quarvel_cli
