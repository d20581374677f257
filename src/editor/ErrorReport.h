#pragma once
// What the error box says of an error that ended a command: its message, in UTF-8, ending
// with a full stop ("I/O error 5."), or "Out of memory." when memory ran out. Every front
// end shows this text under the program title.

#include <exception>
#include <string>

namespace quarvel {

std::string ErrorReportText(const std::exception& error);

}  // namespace quarvel
