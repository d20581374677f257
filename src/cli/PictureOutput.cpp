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

void WritePng(const quarvel::Picture& picture, const std::string& output) {
  std::vector<std::uint8_t> png;
  try {
    png = quarvel::EncodePng(picture);
  } catch (const std::runtime_error&) {
    throw CliError(output, "PNG encoding failed");
  }
  const std::span<const std::uint8_t> bytes(png);
  if (output == kStandardStream) {
    WriteOut(bytes);
    return;
  }
  try {
    quarvel::ReplaceFileContent(output, bytes);
  } catch (const quarvel::EInOutError& error) {
    throw CliError(output, FileErrorMessage(output, error.what()));
  }
}

}  // namespace quarvel_cli
