#include "cli/TextFiles.h"

#include <cstdint>
#include <cstdio>

#include "cli/CliSupport.h"
#include "cli/FileNames.h"
#include "cli/SetFiles.h"
#include "cli/StandardOutput.h"
#include "files/DagFormat.h"
#include "files/InOutError.h"
#include "files/SystemFiles.h"

namespace quarvel_cli {

void WriteOutput(const std::string& out, std::span<const std::uint8_t> bytes, const std::vector<std::string>& inputs) {
  if (out == kStandardStream) {
    WriteOut(bytes);
    FlushOut();
    return;
  }
  for (const std::string& input : inputs)
    if (input != kStandardStream && quarvel::SameFile(out, input))
      throw CliError(out, "Is an input; it is never written over");
  try {
    quarvel::ReplaceFileContent(out, bytes);
  } catch (const quarvel::EInOutError& error) {
    throw CliError(out, FileErrorMessage(out, error.what()));
  }
}

}  // namespace quarvel_cli
