#include "files/InOutError.h"

namespace quarvel {

std::string WithFullStop(std::string_view message) {
  std::string shown(message);
  if (!shown.empty() && static_cast<unsigned char>(shown.back()) > '.') shown += '.';
  return shown;
}

std::string InOutErrorMessage(int code) {
  for (const InOutCode& known : kInOutCodes)
    if (known.Code == code) return known.Message;
  return PlatformErrorMessage(code);
}

std::string PlatformErrorMessage(int err) { return "I/O error " + std::to_string(err); }

}  // namespace quarvel
