#include "editor/ErrorReport.h"

#include <new>

#include "files/InOutError.h"

namespace quarvel {

std::string ErrorReportText(const std::exception& error) {
  const char* message = dynamic_cast<const std::bad_alloc*>(&error) ? "Out of memory" : error.what();
  return WithFullStop(message);
}

}  // namespace quarvel
